#include "app/CommandModules.h"

#include "app/CMainFrame.h"

void installCommandModules(CMainFrame&)
{
}
