// The main window's doors to the secondary windows, each shown modally and loaded afresh.
#include "about/frmAbout.h"
#include "about/frmAiuto.h"
#include "add_consist/frmAdd.h"
#include "ini_locator/frmFind.h"
#include "main/frmBrenvik.h"
#include "platform/Runtime.h"

void frmBrenvik::cmdX_Click()
{
    if (g.gConsistCount == 0) {
        platform::tell(m_prompts, QStringLiteral("To add a consist, put the vehicles in the consist area!"));
        return;
    }
    if (platform::trimBlanks(g.gInherited.Path).isEmpty()) {
        platform::tell(m_prompts, QStringLiteral("You must choose the attributes (inherit) for at least one vehicle!"));
        return;
    }
    frmAdd window(g, m_prompts, *this, this);
    showModal(window);
}

void frmBrenvik::menuFind_Click()
{
    frmFind window(g, m_prompts, mIniFileName, this);
    showModal(window);
}

void frmBrenvik::menuAbout_Click()
{
    frmAbout window(this);
    showModal(window);
}

void frmBrenvik::menuHelp_Click()
{
    frmAiuto window(this);
    showModal(window);
}
