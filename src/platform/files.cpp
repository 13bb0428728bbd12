#include "platform/files.h"
#include "platform/stream.h"
#include "platform/utf8.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace plat {

namespace fs = std::filesystem;

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool LessNoCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = LowerAscii(a[i]), y = LowerAscii(b[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;  // same letters: keep a stable order between "A" and "a"
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string Normalise(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return p;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find('/', start);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        if (end > start) parts.push_back(path.substr(start, end - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return parts;
}

// The entry of folder `dir` whose name matches `name` ignoring case and
// encoding (UTF-8 or Latin-1 bytes); "" if none.
std::string FindNoCase(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!d) return {};
    const std::string wanted = NameOfFile(name);
    std::string found;
    while (dirent* e = ::readdir(d)) {
        const std::string entry = e->d_name;
        if (!IsGameFileName(entry) || !EqualNoCase(NameOfFile(entry), wanted)) continue;
        if (found.empty() || LessNoCase(entry, found)) found = entry;
    }
    ::closedir(d);
    return found;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

}  // namespace

std::string ResolvePath(const std::string& path) {
    const std::string p = Normalise(path);
    if (p.empty() || Exists(p)) return p;

    // Walk the components, matching each one ignoring case while the folders
    // exist; once one is missing the rest is kept as written.
    std::string current = p.front() == '/' ? "/" : "";
    bool matching = true;
    for (const std::string& part : SplitPath(p)) {
        std::string name = part;
        if (matching && part != "." && part != "..") {
            const std::string exact = JoinPath(current, part);
            if (!Exists(exact)) {
                const std::string found = FindNoCase(current, part);
                if (found.empty())
                    matching = false;
                else
                    name = found;
            }
        }
        current = JoinPath(current, name);
    }
    if (!p.empty() && p.back() == '/' && (current.empty() || current.back() != '/')) current += '/';
    return current;
}

int FileType(const std::string& path) {
    struct stat st;
    if (::stat(ResolvePath(path).c_str(), &st) != 0) return FILETYPE_NONE;
    if (S_ISDIR(st.st_mode)) return FILETYPE_DIR;
    if (S_ISREG(st.st_mode)) return FILETYPE_FILE;
    return FILETYPE_NONE;
}

int64_t FileSize(const std::string& path) {
    struct stat st;
    if (::stat(ResolvePath(path).c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

int64_t FileTime(const std::string& path) {
    struct stat st;
    if (::stat(ResolvePath(path).c_str(), &st) != 0) return 0;
    return static_cast<int64_t>(st.st_mtime);
}

bool CreateDir(const std::string& path, bool recurse) {
    const std::string p = ResolvePath(path);
    if (p.empty()) return false;
    std::error_code ec;
    if (recurse) {
        fs::create_directories(p, ec);
        return !ec && FileType(p) == FILETYPE_DIR;
    }
    if (::mkdir(p.c_str(), 0777) == 0) return true;
    return errno == EEXIST && FileType(p) == FILETYPE_DIR;
}

bool DeleteFile(const std::string& path) {
    const std::string p = ResolvePath(path);
    if (FileType(p) != FILETYPE_FILE) return false;
    return ::unlink(p.c_str()) == 0;
}

bool DeleteDir(const std::string& path, bool recurse) {
    const std::string p = ResolvePath(path);
    if (FileType(p) != FILETYPE_DIR) return false;
    if (!recurse) return ::rmdir(p.c_str()) == 0;
    std::error_code ec;
    fs::remove_all(p, ec);
    return !ec;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return std::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

// The copy is written whole through WriteFileAtomic, so a crash never leaves
// a half-copied file in place.
bool CopyFile(const std::string& from, const std::string& to) {
    const std::string src = ResolvePath(from);
    if (FileType(src) != FILETYPE_FILE) return false;
    std::vector<uint8_t> bytes;
    // A short read (an error part way) copies nothing.
    if (!LoadBytes(src, bytes) || static_cast<int64_t>(bytes.size()) != FileSize(src)) return false;
    return WriteFileAtomic(to, bytes);
}

std::string SetAsidePath(const std::string& path) {
    const std::string first = ResolvePath(path) + ".bad";
    std::string kept = first;
    // Only the name is compared: the folders resolve alike for every candidate.
    for (int n = 2; StripDir(ResolvePath(kept)) != StripDir(kept) && n < 100; ++n) kept = first + std::to_string(n);
    return kept;
}

bool ReadDir(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    const std::string p = ResolvePath(path);
    DIR* d = ::opendir(p.empty() ? "." : p.c_str());
    if (!d) return false;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
    std::sort(names.begin(), names.end(), LessNoCase);
    return true;
}

std::vector<std::string> ReadDir(const std::string& path) {
    std::vector<std::string> names;
    ReadDir(path, names);
    return names;
}

namespace {

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& dir) {
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool IsUtf8(const std::string& text) {
    std::u32string codes;
    return DecodeUtf8(text, codes);
}

// The path with its file name in UTF-8.
std::string InUtf8(const std::string& path) {
    const std::string name = StripDir(path);
    if (IsUtf8(name)) return path;
    return path.substr(0, path.size() - name.size()) + FileNameOf(name);
}

std::string TemporaryPrefix(const std::string& target) { return "." + StripDir(target) + ".tmp"; }

// The temporary files of writers that died before their rename (a crash, a
// kill, a power cut) are removed: those whose process no longer runs.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string dir = ExtractDir(target);
    const std::string prefix = TemporaryPrefix(target);
    std::vector<std::string> entries;
    if (!ReadDir(dir, entries)) return;
    for (const auto& entry : entries) {
        if (entry.compare(0, prefix.size(), prefix) != 0) continue;
        const long pid = std::strtol(entry.c_str() + prefix.size(), nullptr, 10);
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        ::unlink(JoinPath(dir, entry).c_str());
    }
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string found = ResolvePath(path);
    if (found.empty() || found.back() == '/' || FileType(found) == FILETYPE_DIR) {
        errno = found.empty() ? ENOENT : EISDIR;
        return false;
    }
    const std::string target = InUtf8(found);

    // A hidden temporary file beside the target, so the rename stays on one file system.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = JoinPath(ExtractDir(target),
                        TemporaryPrefix(target) + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    // The first failure's errno is the one the caller sees.
    int error = 0;
    const auto step = [&error](bool done) {
        if (!done && error == 0) error = errno;
        return done;
    };
    bool ok = step(WriteAll(fd, bytes.data(), bytes.size()));
    ok = step(::fsync(fd) == 0) && ok;
    ok = step(::close(fd) == 0) && ok;
    if (ok) ok = step(std::rename(temp.c_str(), target.c_str()) == 0);
    if (!ok) {
        ::unlink(temp.c_str());
        errno = error;
        return false;
    }
    // The same name under its Latin-1 bytes is the old copy of this file.
    if (found != target) ::unlink(found.c_str());
    SyncFolder(ExtractDir(target));
    RemoveStaleTemporaries(target);
    return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes) {
    return WriteFileAtomic(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

namespace {

size_t LastSlash(const std::string& path) { return path.find_last_of("/\\"); }

}  // namespace

std::string StripDir(const std::string& path) {
    const size_t slash = LastSlash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StripExt(const std::string& path) {
    const size_t slash = LastSlash(path);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}

std::string StripAll(const std::string& path) { return StripExt(StripDir(path)); }

std::string FileNameOf(const std::string& name) { return Latin1ToUtf8(name); }

std::string NameOfFile(const std::string& fileName) { return Utf8ToLatin1(fileName); }

bool IsGameFileName(const std::string& fileName) {
    std::u32string codes;
    if (!DecodeUtf8(fileName, codes)) return true;  // Latin-1 bytes of an older version
    return std::all_of(codes.begin(), codes.end(), [](char32_t code) { return code <= 0xff; });
}

std::string NameOfPath(const std::string& path) { return NameOfFile(StripAll(path)); }

std::string ExtractExt(const std::string& path) {
    const size_t slash = LastSlash(path);
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot + 1);
}

std::string ExtractDir(const std::string& path) {
    const size_t slash = LastSlash(path);
    if (slash == std::string::npos) return {};
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

std::string CurrentDir() {
    std::error_code ec;
    const fs::path p = fs::current_path(ec);
    return ec ? std::string() : p.string();
}

bool ChangeDir(const std::string& path) { return ::chdir(ResolvePath(path).c_str()) == 0; }

std::string AppFile() {
    std::error_code ec;
    const fs::path p = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string AppDir() { return ExtractDir(AppFile()); }

}  // namespace plat
