// Reads the ID3v2 tag of every MP3 file under a folder (recursive) through
// the tag library and prints files per second, next to the I/O floor (the
// reads any scanner must make, no parsing) measured in the same run.
//
// usage: tag_bench FOLDER [ROUNDS]
// Passes: floor; ReadTag(file) + the twelve values; the scan engine's way
// (first 4 KiB read by the caller, ReadTagFromBytes, the file read again only
// for a longer tag) + the twelve values.  Each pass walks the folder anew.

#include "quillmark/Quillmark.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillmark;

namespace {

void Walk(const std::string& dir, const std::function<void(const std::string&)>& onFile) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    while (dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.') continue;
        const std::string path = dir + "/" + e->d_name;
        if (e->d_type == DT_DIR) {
            Walk(path, onFile);
            continue;
        }
        const size_t n = std::strlen(e->d_name);
        if (n < 4 || ::strcasecmp(e->d_name + n - 4, ".mp3") != 0) continue;
        onFile(path);
    }
    ::closedir(d);
}

// What io_floor does per file.
void Floor(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    struct stat st;
    ::fstat(fd, &st);
    unsigned char h[4096], t[128];
    const ssize_t r = ::pread(fd, h, sizeof h, 0);
    long off = 0;
    if (r >= 10 && !std::memcmp(h, "ID3", 3))
        off = 10 + ((h[6] & 127) << 21 | (h[7] & 127) << 14 | (h[8] & 127) << 7 | (h[9] & 127));
    if (off > long(sizeof h) - 4) (void)!::pread(fd, h, 4096, off);
    if (st.st_size >= 128) (void)!::pread(fd, t, 128, st.st_size - 128);
    ::close(fd);
}

_clsID3v2* NewTag() {
    void* factory = nullptr;
    if (DllGetClassObject(&CLSID_clsID3v2, &IID_IQmClassFactory, &factory) != 0) return nullptr;
    void* object = nullptr;
    static_cast<IQmClassFactory*>(factory)->CreateInstance(IID__clsID3v2, &object);
    static_cast<IQmClassFactory*>(factory)->Release();
    return static_cast<_clsID3v2*>(object);
}

long g_errors = 0, g_tagged = 0;
size_t g_chars = 0;

void Values(_clsID3v2& tag) {
    if (tag.HasTag()) ++g_tagged;
    std::string v;
    for (int id = eTrack; id <= eEncodedBy; ++id) {
        tag.GetFrameValue(eID3FrameIDs(id), v);
        g_chars += v.size();
    }
}

double Pass(const char* name, const std::string& root, const std::function<void(const std::string&)>& perFile) {
    long files = 0;
    g_errors = g_tagged = 0;
    const auto start = std::chrono::steady_clock::now();
    Walk(root, [&](const std::string& p) {
        perFile(p);
        ++files;
    });
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double rate = files / (s > 0 ? s : 1e-9);
    std::printf("%-28s %7ld files  %8.3f s  %10.0f files/s  (tagged %ld, errors %ld)\n", name, files, s, rate,
                g_tagged, g_errors);
    return rate;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    _clsID3v2* tag = NewTag();
    if (!tag) return 1;
    Pass("warm-up (floor)", root, Floor);
    for (int round = 0; round < rounds; ++round) {
        const double floor = Pass("I/O floor", root, Floor);
        const double file = Pass("ReadTag + 12 values", root, [&](const std::string& p) {
            if (tag->ReadTag(p) != 0) ++g_errors;
            Values(*tag);
        });
        const double bytes = Pass("4 KiB read + from bytes", root, [&](const std::string& p) {
            const int fd = ::open(p.c_str(), O_RDONLY);
            if (fd < 0) return;
            unsigned char head[4096];
            const ssize_t n = ::pread(fd, head, sizeof head, 0);
            ::close(fd);
            if (tag->ReadTagFromBytes(p, head, n > 0 ? size_t(n) : 0) != 0) ++g_errors;
            Values(*tag);
        });
        std::printf("ratio to the floor: ReadTag %.2f, from bytes %.2f\n\n", floor / file, floor / bytes);
    }
    tag->Release();
    std::printf("(%zu characters of values read)\n", g_chars);
    return 0;
}
