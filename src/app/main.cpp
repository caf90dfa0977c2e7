#include "main/frmBrenvik.h"
#include "platform/widgets/FormStyle.h"
#include "platform/widgets/QtPrompts.h"
#include "shared/mc_Brenvik.h"
#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(platform::kTitle);
    platform::initBrenvikResources();
    QApplication::setWindowIcon(platform::brenvikIcon());

    mc_Brenvik state;
    platform::QtPrompts prompts;
    frmBrenvik window(state, prompts);
    window.show();
    return app.exec();
}
