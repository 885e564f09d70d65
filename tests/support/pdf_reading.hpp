#pragma once
// Reading back a printed PDF file with poppler's tools: its pages, and on each page its
// words with their boxes and its lines of text, in points from the paper's top left corner.
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

struct PdfWord {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::string text;
};

struct PdfPage {
    double width = 0, height = 0;
    std::vector<PdfWord> words;
    // The words joined into lines, top to bottom, words of one line by one blank.
    std::vector<std::string> Lines() const {
        std::map<long, std::string> byTop;
        for (const PdfWord& word : words) {
            std::string& line = byTop[std::lround(word.yMin * 4)];
            if (!line.empty()) line += ' ';
            line += word.text;
        }
        std::vector<std::string> lines;
        for (auto& [top, line] : byTop) lines.push_back(line);
        return lines;
    }
};

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The Windows build's tests run under Wine, beside the Debian machine's own poppler tools,
// which Wine starts through its drive Z: and which take a file by the path Wine maps it to.
inline QString PopplerPath(const std::filesystem::path& file) {
    using UnixFileName = char*(__cdecl*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* path = unixFileName != nullptr ? unixFileName(std::filesystem::absolute(file).c_str()) : nullptr;
    if (path == nullptr) return {};
    const QString result = QString::fromUtf8(path);
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

// What one of poppler's tools writes on its standard output; empty when the tool cannot run.
// Wine starts a program of the machine's own with none of the caller's pipes and no handle to
// wait on, so the machine's shell runs the tool, its output going into a file that is renamed
// once complete; that name is awaited. The arguments reach the tool as the shell's own
// arguments, never as text of its script.
inline std::string PopplerOutput(const char* tool, const QStringList& arguments) {
    static int calls = 0;
    const std::filesystem::path done = std::filesystem::temp_directory_path() /
        ("orvantide-poppler-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++calls) + ".txt");
    std::filesystem::remove(done);
    const QString script = QStringLiteral(R"(\"$@\" >\"$0.part\" 2>/dev/null; mv \"$0.part\" \"$0\")");
    QString command = QStringLiteral(R"(Z:\bin\sh -c ")") + script + QLatin1Char('"');
    for (const QString& word : QStringList{PopplerPath(done), QStringLiteral("/usr/bin/") + QLatin1String(tool)} + arguments) {
        command += QStringLiteral(" \"") + word + QLatin1Char('"');
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = command.toStdWString();
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process)) {
        return {};
    }
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    for (int waited = 0; !std::filesystem::exists(done) && waited < 60000; waited += 10) Sleep(10);
    std::ifstream in(done, std::ios::binary);
    std::string output((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(done);
    return output;
}
#else
inline QString PopplerPath(const std::filesystem::path& file) { return QString::fromStdString(file.string()); }

// What one of poppler's tools writes on its standard output; empty when the tool cannot run.
// The arguments reach it as they are, through no shell.
inline std::string PopplerOutput(const char* tool, const QStringList& arguments) {
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QLatin1String(tool), arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) return {};
    return process.readAllStandardOutput().toStdString();
}
#endif

// The word as written: entities and ligatures resolved.
inline std::string XmlUnescaped(std::string text) {
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&quot;", "\""}, {"&apos;", "'"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"},
        // The typographic ligatures that a font may draw for these letters.
        {"\xEF\xAC\x80", "ff"}, {"\xEF\xAC\x81", "fi"}, {"\xEF\xAC\x82", "fl"},
        {"\xEF\xAC\x83", "ffi"}, {"\xEF\xAC\x84", "ffl"}};
    for (const auto& [entity, character] : kEntities) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
            text.replace(at, std::char_traits<char>::length(entity), character);
        }
    }
    return text;
}

// The number in an attribute `name="..."` of the tag that starts at `tag`; 0 when missing.
inline double NumberAttribute(const std::string& xml, std::size_t tag, const std::string& name) {
    const std::size_t close = xml.find('>', tag);
    const std::size_t at = xml.find(" " + name + "=\"", tag);
    if (at == std::string::npos || at > close) return 0;
    return std::stod(xml.substr(at + name.size() + 3));
}

// Every page of the file with its words (pdftotext -bbox); none when the file is unreadable.
inline std::vector<PdfPage> ReadPdf(const std::filesystem::path& file) {
    const std::string xml = PopplerOutput("pdftotext", {"-bbox", PopplerPath(file), "-"});
    std::vector<PdfPage> pages;
    for (std::size_t page = xml.find("<page "); page != std::string::npos;
         page = xml.find("<page ", page + 1)) {
        PdfPage read;
        read.width = NumberAttribute(xml, page, "width");
        read.height = NumberAttribute(xml, page, "height");
        const std::size_t pageEnd = std::min(xml.find("</page>", page), xml.size());
        for (std::size_t word = xml.find("<word ", page); word < pageEnd;
             word = xml.find("<word ", word + 1)) {
            const std::size_t textBegin = xml.find('>', word) + 1;
            const std::size_t textEnd = xml.find("</word>", textBegin);
            read.words.push_back({NumberAttribute(xml, word, "xMin"), NumberAttribute(xml, word, "yMin"),
                                  NumberAttribute(xml, word, "xMax"), NumberAttribute(xml, word, "yMax"),
                                  XmlUnescaped(xml.substr(textBegin, textEnd - textBegin))});
        }
        pages.push_back(std::move(read));
    }
    return pages;
}

// The page count as pdfinfo reads it from the file's own page tree; -1 when unreadable.
inline int PdfPageCount(const std::filesystem::path& file) {
    const std::string info = PopplerOutput("pdfinfo", {PopplerPath(file)});
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// A path for a PDF file that does not exist yet, unique to this process.
inline std::filesystem::path FreshPdfPath(const std::string& stem) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("orvantide-" + stem + "-" + std::to_string(QCoreApplication::applicationPid()) + ".pdf");
    std::filesystem::remove(path);
    return path;
}
