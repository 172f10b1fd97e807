// The program's entry point: the look of the application, the application object, the translation,
// the main window.

#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "app/KelvaneApplication.h"
#include "ui/MainWindow.h"

int main(int argc, char** argv)
{
    KelvaneApplication::PrepareLook();
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
