#pragma once
// Files, folders and path helpers. Paths may use "/" or "\"; a path that does
// not exist exactly is looked up case-insensitively, one component at a time,
// and by name: "Zo\xc3\xab" finds the file an older version wrote as "Zo\xeb".
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

enum FileKind { FILETYPE_NONE = 0, FILETYPE_FILE = 1, FILETYPE_DIR = 2 };

// "\" becomes "/"; an existing path is returned as it is, otherwise the
// case-insensitive match if there is one, otherwise the normalised input
// with its existing leading folders matched ("Data/new.sav" -> "data/new.sav"
// when only "data/" exists), so new files land in the existing folder.
std::string ResolvePath(const std::string& path);

int FileType(const std::string& path);
int64_t FileSize(const std::string& path);  // -1 when missing
int64_t FileTime(const std::string& path);  // seconds since the epoch, 0 when missing
bool CreateDir(const std::string& path, bool recurse);
bool DeleteFile(const std::string& path);
bool DeleteDir(const std::string& path, bool recurse);
bool RenameFile(const std::string& from, const std::string& to);
// Replaces `to` whole, through a temporary file like WriteFileAtomic.
bool CopyFile(const std::string& from, const std::string& to);
// Where a damaged file's bytes are kept beside it: "<file>.bad", or "<file>.bad2",
// "<file>.bad3" ... when "<file>.bad" would find the kept copy of another file
// whose name differs only in case, so that one kept copy never replaces another.
std::string SetAsidePath(const std::string& path);

// Entry names (no "." or ".."), sorted case-insensitively; empty when the
// folder cannot be read.
std::vector<std::string> ReadDir(const std::string& path);
// The same, answering false (and no names) when the folder cannot be read.
bool ReadDir(const std::string& path, std::vector<std::string>& names);

// Writes the whole file through a temporary file in the same folder that is
// renamed into place, so a crash never leaves a half-written file. On failure
// errno says why (permission denied, disk full, ...). The file name on disk is
// UTF-8: one that is not is taken for Latin-1 and written in UTF-8, and a file
// of the same name under its Latin-1 bytes, left by an older version, goes
// once the new one is in place.
bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

// Names the player gives (players, saved games, puzzles) are the game's text,
// Latin-1; the files named after them are UTF-8 on disk, like every other file
// name of the system. FileNameOf turns a name into a file name; NameOfFile a
// file name (a folder entry, a path) into the game's text, a character beyond
// Latin-1 as "?", and one that is not UTF-8 (written by an older version) is
// its own name.
std::string FileNameOf(const std::string& name);
std::string NameOfFile(const std::string& fileName);
// Whether a file name is one the game could have given: no character beyond
// Latin-1 (whose "?" would stand for any other such name).
bool IsGameFileName(const std::string& fileName);
// The name of the file a path points at: NameOfFile without folder and extension.
std::string NameOfPath(const std::string& path);

std::string StripExt(const std::string& path);   // "a/b.txt" -> "a/b"
std::string StripDir(const std::string& path);   // "a/b.txt" -> "b.txt"
std::string StripAll(const std::string& path);   // "a/b.txt" -> "b"
std::string ExtractExt(const std::string& path); // "a/b.txt" -> "txt"
std::string ExtractDir(const std::string& path); // "a/b.txt" -> "a"

std::string CurrentDir();
bool ChangeDir(const std::string& path);
std::string AppFile();  // the running program's full path
std::string AppDir();   // its folder

// Opens a file or URL with the desktop's default handler (xdg-open).
bool OpenURL(const std::string& url);

}  // namespace plat
