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

// What one of poppler's tools writes on its standard output when it reads `file` from its
// standard input; empty when the file or the tool cannot be read or run. No shell and no path
// of the file is involved, so it works alike where the tool runs beside a Windows build under
// Wine: there, the Debian machine's own tools are reached through Wine's drive Z:.
inline std::string PopplerOutput(const char* tool, QStringList arguments, const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (pdf.empty()) return {};
#ifdef _WIN32
    const QString program = QStringLiteral("Z:/usr/bin/") + QLatin1String(tool);
#else
    const QString program = QLatin1String(tool);
#endif
    arguments.append(QStringLiteral("-"));  // the file comes on standard input
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.write(pdf.data(), static_cast<qint64>(pdf.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit) return {};
    return process.readAllStandardOutput().toStdString();
}

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
    const std::string xml = PopplerOutput("pdftotext", {"-bbox", "-"}, file);
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
    const std::string info = PopplerOutput("pdfinfo", {}, file);
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
