// The program's entry point: the look of the application, the application object, the translation,
// the main window.

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QLocale>
#include <QPalette>
#include <QTranslator>

#include "app/KelvaneApplication.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_UseOpenGLES, true);
    // High-DPI scaling (attribute 20) is always on in Qt 6; the attribute is still set, by number, for the
    // Qt versions that read it.
    QCoreApplication::setAttribute(static_cast<Qt::ApplicationAttribute>(20), true);
    QApplication::setStyle(QStringLiteral("fusion"));

    // Selected rows and texts stand out in grey rather than the style's colour.
    QPalette palette = QApplication::palette();
    palette.setBrush(QPalette::All, QPalette::Highlight, QBrush(QColor(220, 220, 220, 255)));
    palette.setBrush(QPalette::All, QPalette::HighlightedText, QBrush(Qt::black));
    QApplication::setPalette(palette);

    Q_INIT_RESOURCE(kelvane);

    KelvaneApplication application(argc, argv);

    // "./kelvane_" and the language of the system locale; without the file the source texts show.
    QTranslator translator;
    const QString language = QLocale::system().name().left(2);
    (void)translator.load(QStringLiteral("./kelvane_") + language);
    QCoreApplication::installTranslator(&translator);

    MainWindow window(nullptr);
    window.show();
    application.SetMainWindow(&window);
    return application.exec();
}
