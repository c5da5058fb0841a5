#include "platform/ui/Icon.h"

#include "platform/ui/ResourceFormats.h"
#include "platform/ui/UiApplication.h"

#include <QImage>
#include <map>
#include <memory>

namespace {

QPixmap DrawIcon(const AFX_ICON& resource)
{
    QImage image(resource.nSize, resource.nSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < resource.nSize; ++y) {
        const char* row = resource.pRows[y];
        for (int x = 0; x < resource.nSize && row[x]; ++x) {
            for (int c = 0; c < resource.nColors; ++c) {
                if (resource.pPalette[c].key == row[x])
                    image.setPixel(x, y, resource.pPalette[c].argb);
            }
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

HICON AfxLoadIconResource(UINT nID)
{
    static std::map<UINT, std::unique_ptr<HICON__>> loaded;
    auto it = loaded.find(nID);
    if (it != loaded.end())
        return it->second.get();
    const AFX_ICON* pResource = AfxFindIcon(nID);
    if (!pResource)
        return nullptr;
    AfxEnsureUiApplication();
    auto pIcon = std::make_unique<HICON__>();
    pIcon->pixmap = DrawIcon(*pResource);
    pIcon->icon = QIcon(pIcon->pixmap);
    return loaded.emplace(nID, std::move(pIcon)).first->second.get();
}

QPixmap AfxIconPixmap(UINT nID)
{
    const HICON hIcon = AfxLoadIconResource(nID);
    return hIcon ? hIcon->pixmap : QPixmap();
}
