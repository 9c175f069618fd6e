#include "platform/CodePage.h"

int GetAnsiCodePage()
{
    return 932;
}
