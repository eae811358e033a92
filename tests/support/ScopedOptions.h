#pragma once
// For tests of windows and shared code, which read the program-wide option
// records: the records as they were when the guard was made come back when it
// goes out of scope, so a test sets Options() fields freely.  Engines take
// their options as parameters: their tests build a record instead.

#include "foundation/OptionRecords.h"

class ScopedOptions {
public:
    ScopedOptions() : m_saved(Options()) {}
    ~ScopedOptions() { Options() = m_saved; }
    ScopedOptions(const ScopedOptions&) = delete;
    ScopedOptions& operator=(const ScopedOptions&) = delete;

private:
    OptionRecords m_saved;
};
