// SPDX-License-Identifier: MIT
// Thumbnails of looks: one page holding a sample menu per look, each with its own menu suffix
// so that its styles apply to it alone.
#include "ui/preview/live_look_thumbnails.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "codegen/script_text.h"
#include "document/text_codec.h"
#include "preview/web_library.h"
#include "ui/preview/live_preview.h"
#include "ui/preview/live_preview_site.h"

namespace sylvanode {
namespace {

// A page that goes nowhere: the sample links stay where they are.
class StillPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override {
        return url.scheme() == QLatin1String(kPreviewScheme) && type != NavigationTypeLinkClicked;
    }
};

// The sample menu: a folder with a page and a sub-folder, and two more pages.
void fillSample(MenuScheme& scheme, const SchemeLook& look, int index) {
    const auto add = [&scheme](MenuNode* parent, const QString& title) {
        MenuItemData data;
        data.menuName = toSchemeBytes(title);
        data.menuLink = "#";
        auto node = std::make_unique<MenuNode>(data);
        node->caption = data.menuName;
        return parent ? parent->insertChild(parent->childCount(), std::move(node)) : scheme.appendRoot(std::move(node));
    };
    MenuNode* guide = add(nullptr, QObject::tr("入门指南"));
    add(guide, QObject::tr("安装"));
    add(add(guide, QObject::tr("配置")), QObject::tr("选项"));
    add(nullptr, QObject::tr("常见问题"));
    add(nullptr, QObject::tr("联系我们"));
    // An item with children is a folder only once told so.
    forEachPreOrder(scheme.roots(), [](MenuNode* n, int) { n->refreshImage(); });
    applyLook(look, scheme.settings, scheme.kinds);
    scheme.settings.useImage = false;
    scheme.settings.menuSuffix = "k" + std::to_string(index);
    scheme.settings.lineFolder =
        QStringLiteral("%1://%2/lib/").arg(QLatin1String(kPreviewScheme), QLatin1String(kPreviewHost)).toStdString();
    scheme.settings.scriptCharset = ScriptCharset::Utf8;
}

}  // namespace

LookThumbnails::LookThumbnails(const std::vector<SchemeLook>& looks, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("lookThumbnails"));
    // The program's default profile (off the record, never on disk) with one handler for all galleries.
    profile_ = QWebEngineProfile::defaultProfile();
    static PreviewSite* shared = nullptr;
    if (!shared) {
        shared = new PreviewSite(profile_);
        profile_->installUrlSchemeHandler(kPreviewScheme, shared);
    }
    site_ = shared;
    site_->memory.clear();
    site_->libraryDir = QFile::decodeName(webLibraryDirectory().c_str());

    QByteArray html =
        "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
        "<style>body{margin:6px;font:12px sans-serif;display:flex;flex-wrap:wrap;gap:8px}"
        "figure{margin:0;padding:6px;width:190px;min-height:130px;border:1px solid #ccc;border-radius:4px;overflow:hidden}"
        "figure.on{border:2px solid #2a6fdb;padding:5px}figcaption{color:#555;margin-bottom:4px}</style>"
        "<script src=\"lib/sylvanode-tree.js\"></script></head><body>";
    for (size_t i = 0; i < looks.size(); ++i) {
        MenuScheme sample;
        fillSample(sample, looks[i], int(i));
        const std::string script = scriptFileBytes(sample);
        const QString name = QStringLiteral("/look%1.js").arg(i);
        site_->memory[name] = {"text/javascript", QByteArray(script.data(), qsizetype(script.size()))};
        html += QStringLiteral("<figure id=\"look%1\"><figcaption>%2</figcaption><script src=\"look%1.js\" charset=\"utf-8\"></script>"
                               "<script>treek%1.expandAll(true)</script></figure>")
                    .arg(i)
                    .arg(toQString(looks[i].name).toHtmlEscaped())
                    .toUtf8();
    }
    html += "</body></html>";
    site_->memory[QStringLiteral("/looks.html")] = {"text/html;charset=utf-8", html};

    view_ = new QWebEngineView(this);
    view_->setPage(new StillPage(profile_, view_));
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->load(QUrl(QStringLiteral("%1://%2/looks.html").arg(QLatin1String(kPreviewScheme), QLatin1String(kPreviewHost))));
}

LookThumbnails::~LookThumbnails() {
    // The page goes before its profile.
    delete view_;
}

void LookThumbnails::showLook(int index) {
    view_->page()->runJavaScript(
        QStringLiteral("(function(i){[].forEach.call(document.querySelectorAll('figure'),function(f,j){"
                       "f.classList.toggle('on',j==i);if(j==i)f.scrollIntoView({block:'nearest'});});})(%1)")
            .arg(index));
}

}  // namespace sylvanode
