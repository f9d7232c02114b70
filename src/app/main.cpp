#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/commands.h"
#include "app/fileopening.h"
#include "app/frmsplash.h"
#include "app/recoverycopy.h"
#include "editor/mainfrm.h"
#include "image/programfolders.h"
#include "link/workerthreads.h"

namespace {

// Runs `then` once after the widget has painted itself for the first time.
class FirstPaint : public QObject {
 public:
  FirstPaint(QWidget* widget, std::function<void()> then)
      : QObject(widget), then_(std::move(then)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, then_);
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

// Whether the arguments ask for --help or --version, which only print.
bool onlyPrints(int argc, char* argv[]) {
  for (int i = 1; i < argc && qstrcmp(argv[i], "--") != 0; ++i)
    for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
      if (qstrcmp(argv[i], option) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  kv::prepareWorkerThreads();
  // --help and --version in English, as the man page is: the translations come after.
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Programming software for 16-channel handheld radios."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE.chp"),
                               QStringLiteral("A channel file to open at start-up."),
                               QStringLiteral("[FILE.chp]"));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Save a picture of the main window to PATH once it is shown, then exit."),
      QStringLiteral("PATH"));
  const QCommandLineOption noSplash(
      QStringLiteral("no-splash"),
      QStringLiteral("Start without the splash (for start-up measurements)."));
  const QCommandLineOption shownTime(
      QStringLiteral("print-shown-time"),
      QStringLiteral("Print when the main window first painted (ms since the epoch), then exit."));
  parser.addOptions({screenshot, noSplash, shownTime});
  // They are answered before the window system is opened: they need no display and no
  // platform plugin. (Taken as an option's value, "--help" opens the window after all.)
  if (onlyPrints(argc, argv)) {
    const QCoreApplication text(argc, argv);
    kv::useProgramIdentity();
    parser.process(text);
  }
  QApplication app(argc, argv);
  kv::useProgramIdentity();
  parser.process(app);
  kv::configureApplication(app);

  std::unique_ptr<kv::mainFrm> main;
  int status = 0;
  const auto showMain = [&] {
    main = std::make_unique<kv::mainFrm>();
    kv::mainFrm* w = main.get();
    kv::wireCommands(*w);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(w, &kv::mainFrm::closing, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    w->move(w->screen()->availableGeometry().center() - w->rect().center());
    if (parser.isSet(shownTime)) {
      new FirstPaint(w, [] {
        std::printf("%lld\n", QDateTime::currentMSecsSinceEpoch());
        QCoreApplication::quit();
      });
    } else if (parser.isSet(screenshot)) {
      new FirstPaint(w, [&, w] {
        status = w->grab().save(parser.value(screenshot)) ? 0 : 1;
        QCoreApplication::quit();
      });
    }
    acceptChpDrops(*w);
    w->show();
    // Edits a crash or a logout left are offered before a file named at start is opened, which
    // then asks about them.
    auto* recovery = new kv::RecoveryCopy(*w);
    if (!parser.isSet(shownTime) && !parser.isSet(screenshot)) recovery->offerCopies();
    if (!parser.positionalArguments().isEmpty())
      openAtStart(*w, parser.positionalArguments().constFirst());
  };

  if (parser.isSet(noSplash)) {
    showMain();
  } else {
    auto* splash = new kv::frmSplash;
    QObject::connect(splash, &kv::frmSplash::finished, &app, showMain);
    splash->show();
  }
  const int result = QApplication::exec();
  return status ? status : result;
}
