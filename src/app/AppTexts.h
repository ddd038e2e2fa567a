#pragma once
// The shell's fixed texts and the two addresses it sends the user to.
namespace lindora::app {

inline constexpr const char* ApplicationTitle = "Lindora";
inline constexpr const char* MainCaption = "Lindora 1.0";
inline constexpr const char* StartPageFileName = "index.htm";
inline constexpr const char* OpenVerb = "open";

// Where the main window keeps its settings: the company, software and version parts of the key.
inline constexpr const char* CompanyName = "Quintvel";
inline constexpr const char* SoftwareName = "Lindora";
inline constexpr const char* SoftwareVersion = "1.0";

// The service can tell from the query that it is reached from the desktop application.
inline constexpr const char* ServiceStartUrl = "https://convert.quintvel.com/?from=GUI";
inline constexpr const char* MakerHomePageUrl = "https://www.quintvel.com/";

inline constexpr const char* AboutText =
    "Lindora 1.0\n\n"
    "Document conversion on your desktop, through the Quintvel online service.\n"
    "Copyright (c) Quintvel. All rights reserved.";

}  // namespace lindora::app
