// The toolkit's messages during its start are held back: a failed start then shows one
// line naming the reason instead of the toolkit's advice to reinstall: the first message
// of a platform ("could not connect to display :1"), else the first about loading a
// platform's plugin. A start that goes on shows them all as they came.
#include "app/windowstart.h"

#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string_view>

#include "app/windowoptions.h"
#include "platform/text/messagetext.h"

namespace vadidazid {

namespace {

const char* const kCannotOpen = "vadidazid: cannot open the window: ";

struct THeldMessage {
  QtMsgType type;
  std::string category, file, function;
  int line;
  QString text;
};

// The handler is a plain function, so what it holds lives here, for the one start.
std::mutex heldLock;
std::vector<THeldMessage> held;
QtMessageHandler previousHandler = nullptr;

std::string ReasonForFailure(const QString& fatalText) {
  const THeldMessage* plugin = nullptr;
  for (const THeldMessage& m : held) {
    if (m.category == "qt.qpa.plugin") {
      if (plugin == nullptr) plugin = &m;
    } else if (m.category.rfind("qt.qpa.", 0) == 0) {
      return m.text.trimmed().toStdString();
    }
  }
  return (plugin != nullptr ? plugin->text : fatalText)
      .section(u'\n', 0, 0)
      .trimmed()
      .toStdString();
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  std::lock_guard lock(heldLock);
  if (type == QtFatalMsg) {
    std::cerr << kCannotOpen << MessageText(ReasonForFailure(text), 200) << std::endl;
    std::_Exit(1);  // the toolkit is half built: nothing of it is to be torn down
  }
  auto orEmpty = [](const char* s) { return std::string(s != nullptr ? s : ""); };
  held.push_back({type, orEmpty(context.category), orEmpty(context.file), orEmpty(context.function),
                  context.line, text});
}

void StopHolding(bool passOn) {
  qInstallMessageHandler(previousHandler);
  std::vector<THeldMessage> messages;
  {
    std::lock_guard lock(heldLock);
    messages.swap(held);
  }
  if (!passOn) return;
  auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
  for (const THeldMessage& m : messages) {
    const QMessageLogContext context(orNull(m.file), m.line, orNull(m.function),
                                     orNull(m.category));
    previousHandler(m.type, context, m.text);
  }
}

}  // namespace

bool DisplayMissing(const std::vector<std::string>& args, const char* (*env)(const char*)) {
#if defined(__unix__) && !defined(__APPLE__) && !defined(__ANDROID__)
  auto set = [env](const char* name) {
    const char* value = env(name);
    return value != nullptr && *value != '\0';
  };
  if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY")) return false;
  // A Wayland session's compositor may be found without WAYLAND_DISPLAY.
  const char* session = env("XDG_SESSION_TYPE");
  if (session != nullptr && std::string_view(session) == "wayland") return false;
  for (const std::string& a : args) {
    if (a == "-platform" || a == "--platform" || a == "-display" || a == "--display") {
      return false;
    }
  }
  return true;
#else
  (void)args;
  (void)env;
  return false;  // the system's own windowing needs no display named
#endif
}

TWindowStart::TWindowStart(int argc, char** argv) {
  // A program started with no arguments at all, not even its name, is given its name.
  static char name[] = "vadidazid", platformOption[] = "-platform", offscreen[] = "offscreen";
  argv_.push_back(argc > 0 ? argv[0] : name);
  if (argc > 1) argv_.insert(argv_.end(), argv + 1, argv + argc);
  displayMissing_ = DisplayMissing({argv_.begin() + 1, argv_.end()}, [](const char* variable) {
    return static_cast<const char*>(std::getenv(variable));
  });
  if (displayMissing_) {
    // First, so that no option of the user's that takes a value can take it instead.
    argv_.insert(argv_.begin() + 1, {platformOption, offscreen});
  }
  argc_ = static_cast<int>(argv_.size());
  argv_.push_back(nullptr);
  previousHandler = qInstallMessageHandler(HoldStartMessage);
}

TWindowStart::~TWindowStart() {
  if (holding_) StopHolding(true);
}

std::optional<int> TWindowStart::Started(std::ostream& err) {
  std::optional<int> status = RefuseLeftArguments({argv_.data() + 1, argv_.data() + argc_}, err);
  if (!status && displayMissing_) {
    err << kCannotOpen << "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n";
    status = 1;
  }
  // The toolkit's messages about a start that is given up would bury the one line.
  StopHolding(!status);
  holding_ = false;
  return status;
}

}  // namespace vadidazid
