#include "platform/SystemErrorText.h"

namespace lindora {

std::string systemErrorText(int code) {
    switch (code) {
    case 0: return "The operation completed successfully.";
    case 2: return "The system cannot find the file specified.";
    case 3: return "The system cannot find the path specified.";
    case 5: return "Access is denied.";
    case 8: return "Not enough memory resources are available to process this command.";
    case 11: return "An attempt was made to load a program with an incorrect format.";
    case 26: return "The specified disk or diskette cannot be accessed.";
    case 27: return "The drive cannot find the sector requested.";
    case 28: return "The printer is out of paper.";
    case 29: return "The system cannot write to the specified device.";
    case 30: return "The system cannot read from the specified device.";
    case 31: return "A device attached to the system is not functioning.";
    case 32: return "The process cannot access the file because it is being used by another process.";
    default: return "Unknown error (" + std::to_string(code) + ").";
    }
}

}  // namespace lindora
