#include <QApplication>

#include "app/mexora_app.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    CMexoraApp theApp;
    return theApp.InitInstance(app);
}
