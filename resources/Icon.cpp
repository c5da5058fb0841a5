#include "resources/ConsoleResources.h"

#include "resources/ResourceIds.h"

namespace {

// The application's icon: a yellow flash on a blue disc.
const AFX_ICONCOLOR kPalette[] = {
    {'.', 0x00000000},
    {'B', 0xFF0B3D91},
    {'b', 0xFF1E6FD9},
    {'y', 0xFFFFD21F},
};

// One string a row of pixels, laid out as the picture.
// clang-format off
const char* const kMainFrameRows[] = {
    "................................",
    "...........BBBBBBBBBB...........",
    "........BBBBbbbbbbbbBBBB........",
    ".......BBBbbbbbbbbbbbbBBB.......",
    "......BBbbbbbbbbbbyybbbbBB......",
    ".....BBbbbbbbbbbbyybbbbbbBB.....",
    "....BBbbbbbbbbbbyyybbbbbbbBB....",
    "...BBbbbbbbbbbbbyyybbbbbbbbBB...",
    "..BBbbbbbbbbbbbyyybbbbbbbbbbBB..",
    "..BBbbbbbbbbbbyyyybbbbbbbbbbBB..",
    "..BbbbbbbbbbbbyyyybbbbbbbbbbbB..",
    ".BBbbbbbbbbbbyyyybbbbbbbbbbbbBB.",
    ".BbbbbbbbbbbbyyyybbbbbbbbbbbbbB.",
    ".BbbbbbbbbbbyyyyyyyyyyybbbbbbbB.",
    ".BbbbbbbbbbyyyyyyyyyyybbbbbbbbB.",
    ".BbbbbbbbbbyyyyyyyyyybbbbbbbbbB.",
    ".BbbbbbbbbyyyyyyyyyybbbbbbbbbbB.",
    ".BbbbbbbbyyyyyyyyyyybbbbbbbbbbB.",
    ".BbbbbbbbbbbbbbyyyybbbbbbbbbbbB.",
    ".BbbbbbbbbbbbbbyyybbbbbbbbbbbbB.",
    ".BBbbbbbbbbbbbyyybbbbbbbbbbbbBB.",
    "..BbbbbbbbbbbbyyybbbbbbbbbbbbB..",
    "..BBbbbbbbbbbbyybbbbbbbbbbbbBB..",
    "..BBbbbbbbbbbyybbbbbbbbbbbbbBB..",
    "...BBbbbbbbbbyybbbbbbbbbbbbBB...",
    "....BBbbbbbbbybbbbbbbbbbbbBB....",
    ".....BBbbbbbybbbbbbbbbbbbBB.....",
    "......BBbbbbbbbbbbbbbbbbBB......",
    ".......BBBbbbbbbbbbbbbBBB.......",
    "........BBBBbbbbbbbbBBBB........",
    "...........BBBBBBBBBB...........",
    "................................",
};
// clang-format on

const AFX_ICON kIcons[] = {
    {IDR_MAINFRAME, 32, kPalette, 4, kMainFrameRows},
};

} // namespace

const AFX_ICON* FindConsoleIcon(UINT nID)
{
    return AfxFindInTable(kIcons, nID);
}
