#pragma once
// Framework-internal: the toolkit's side of a run: the arguments the toolkit gets, the
// toolkit's application when the framework made it, the messages held back while it opens
// its platform, and the event loop's state (running, quitting, the exit code).
#include <QApplication>
#include <QString>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fw {

// A message that the toolkit logged while it opened its platform.
struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

struct Toolkit {
    // The toolkit gets the program's name and nothing else: the program reads no options,
    // so none of the toolkit's own (-stylesheet, -reverse, ...) may take effect either.
    std::string programName = "orvantide";
    int argc = 1;
    char* argv[2] = {nullptr, nullptr};
    bool hiDPI = false;
    std::unique_ptr<QApplication> ownApplication;  // when the framework made it
    bool running = false;
    bool quitting = false;
    int exitCode = 0;
    std::mutex heldMutex;
    std::vector<HeldMessage> held;
    QtMessageHandler handler = nullptr;  // the toolkit's own, while messages are held
};

}  // namespace fw
