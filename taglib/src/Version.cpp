// Placeholder translation unit until the tag library lands.
extern "C" __attribute__((visibility("default"))) const char* QuillmarkVersion() { return "1.0.0"; }
