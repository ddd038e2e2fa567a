#pragma once
// Makes the offscreen backend selectable by name ("offscreen") with the platform selection, and
// its recording browser engine, which writes into the backend's event record, with the browser
// control. Call once at start, before installPlatform; again does nothing harmful.
//
// From the platform arguments the backend takes its screen size, its clock, its input script
// (checked before anything runs), the end-of-run screenshot (the script's last step) and the
// file its event record is written to when the session ends.
namespace lindora {

void registerOffscreenPlatform();

}  // namespace lindora
