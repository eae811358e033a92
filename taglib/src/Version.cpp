// The library's identity, readable in the file itself (`strings`) as the
// version block of a component file would be.
#include "quillmark/Quillmark.h"

namespace {
[[gnu::used]] const char kIdentity[] =
    "Quillmark 1.02 (file version 1.2.0.0), type library {6C111B5F-A9DA-4600-A96A-C4F83212BC81} 1.0, "
    "self-registering";
}
