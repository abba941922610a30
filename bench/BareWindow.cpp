// The yardstick for rasterblick's start-up: the least a Qt Widgets program
// does to show a window whose label then reads "Ladevorgang erfolgreich
// beendet.". It shows the window with another text, lets it be exposed (as
// rasterblick does before it loads its frames) and then sets the text, so the
// label's name changes on the accessibility bus just as rasterblick's does.
// Everything rasterblick takes beyond this is its own work.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("RASTERBLICK"));
    window.resize(199, 175);
    auto* label = new QLabel(QStringLiteral("Bitte haben Sie etwas Geduld."), &window);
    label->setWordWrap(true);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(label);
    window.show();

    // Until the window is exposed, at most as long as rasterblick waits.
    QElapsedTimer waited;
    waited.start();
    QCoreApplication::processEvents();
    while (!window.windowHandle()->isExposed() && waited.elapsed() < 250)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    label->setText(QStringLiteral("Ladevorgang erfolgreich beendet."));
    return QApplication::exec();
}
