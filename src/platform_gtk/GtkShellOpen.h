#pragma once
// The desktop's open operation through GIO: a URL or a file goes to its default handler,
// started directly (no shell runs in between). Results follow the classic status codes:
// 32 and above is success, below 32 an error.
#include <string>

typedef struct _GError GError;

namespace lindora {

enum ShellOpenStatus : int {
    ShellOpenOk = 42,  // any value above 32 means success
    ShellOpenOutOfResources = 0,
    ShellOpenFileNotFound = 2,
    ShellOpenPathNotFound = 3,
    ShellOpenAccessDenied = 5,
    ShellOpenOutOfMemory = 8,
    ShellOpenAssociationIncomplete = 27,  // a handler is registered but could not be started
    ShellOpenNoAssociation = 31,          // no handler for this kind of document or verb
};

// Opens `document` (a URL, or a path: absolute, or relative to the current folder) with the
// verb "open" (or the empty verb, which means the same). Parameters are for programs, which
// this operation does not start directly; they are ignored for documents and URLs.
int shellOpenDocument(const std::string& verb, const std::string& document);

// The status for a GIO or spawn error.
int shellOpenStatusOf(const GError* error);

// What a status means, in words the user reads in the error dialog.
std::string shellOpenStatusText(int status);

}  // namespace lindora
