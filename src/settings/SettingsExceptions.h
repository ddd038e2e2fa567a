#pragma once
// Errors of the settings components: conversion and access errors of a setting's value, and a
// settings component placed where it cannot work.
#include "base/Exception.h"

namespace lindora {

class EPSettingException : public Exception {
public:
    using Exception::Exception;
};

class EPFormSettingsException : public Exception {
public:
    using Exception::Exception;
};

}  // namespace lindora
