// The process entry: the framework's run time around the start-up driver.
#include "app/startup.hpp"
#include "framework/runtime/startup.hpp"

namespace {

int Run(int argc, char** argv) {
    fw::RuntimeInit(argc, argv);
    Main();
    return fw::RuntimeExit();
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }

#ifdef _WIN32
// A Windows GUI program enters here, with its arguments as the C run time parsed them from the
// command line; the framework takes them as UTF-8.
#include <stdlib.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    return utf8;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<std::string> words;
    for (int i = 0; i < __argc; ++i) words.push_back(Utf8(__wargv[i]));
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return Run(static_cast<int>(words.size()), argv.data());
}
#endif
