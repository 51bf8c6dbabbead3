#include "app/modLaunch.h"

#include "app/frmMain.h"
#include "ui/DesignFonts.h"

namespace modLaunch {

bool InitCommonCtrls()
{
    return true;
}

void Main()
{
    InitCommonCtrls();
    RegisterFontSubstitutions();
    auto *window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

} // namespace modLaunch
