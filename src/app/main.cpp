// The program entry: the application object, the main window, the message loop.
#include "app/desktop.h"
#include "app/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quillon::SetUpApplication(app);
    quillon::DialogPrompts prompts;
    quillon::TForm2 window(quillon::AppPaths::current(), prompts);
    prompts.setOwner(&window);
    window.show();
    return app.exec();
}
