#include "main/frmBrenvik.h"
#include "platform/widgets/QtPrompts.h"
#include "shared/mc_Brenvik.h"
#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::kTitle);
    initBrenvikResources();
    QApplication::setWindowIcon(brenvikIcon());

    mc_Brenvik state;
    QtPrompts prompts;
    frmBrenvik window(state, prompts);
    window.show();
    return app.exec();
}
