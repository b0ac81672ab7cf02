#pragma once

#include <string>

class SystemServices;

// How the host page spells the target folder in the movie's address. The page is 8-bit text in
// the shell's code page, so a folder with a character that code page lacks would reach the page
// as a default character and name no file. When the code page holds the folder, the folder as it
// is (the page is then exactly what it always was); otherwise the folder's short name, when the
// file system keeps one that the code page holds; otherwise a UTF-8 file address for it.
// `targetFolder` exists and ends in the platform's separator; so does the result.
std::string PageFolder(SystemServices& services, const std::string& targetFolder);

// `folder` as the path of a file address, after its "file:///": each separator becomes "/", and
// every byte but unreserved ASCII, ":" and "/" is percent-encoded, so UTF-8 stays UTF-8.
std::string PercentEncodedFolder(const std::string& folder, char separator);
