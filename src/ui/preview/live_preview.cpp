// SPDX-License-Identifier: MIT
// The live preview: a page built in memory from the document and served to a web view.
#include "ui/preview/live_preview.h"
#include "ui/preview/live_preview_site.h"

#include <QActionGroup>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLoggingCategory>
#include <QMimeDatabase>
#include <QTimer>
#include <QToolBar>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>
#include <map>
#include <unordered_map>

#include "codegen/script_text.h"
#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "preview/preview_page.h"
#include "preview/web_library.h"
#include "ui/common/icons.h"

namespace sylvanode {
namespace {

Q_LOGGING_CATEGORY(previewLog, "sylvanode.preview", QtWarningMsg)

constexpr const char* kHost = kPreviewHost;
constexpr const char* kGlue = "sylvanode-pane.js";
constexpr const char* kMessageMark = "sylvanode-pane ";

QString pageUrl(const QString& path) {
    return QStringLiteral("%1://%2/%3").arg(QLatin1String(kPreviewScheme), QLatin1String(kHost), path);
}

}  // namespace

// The page never leaves itself: links and forms stay, new windows are not made; the pane's
// script speaks through console lines.
class PanePage : public QWebEnginePage {
public:
    PanePage(QWebEngineProfile* profile, LivePreview* pane, std::function<void(const QJsonObject&)> heard)
        : QWebEnginePage(profile, pane), heard_(std::move(heard)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        // Only the pane's own new versions of the page: no link, no form, no other address.
        return isMainFrame && url.scheme() == QLatin1String(kPreviewScheme) && url.host() == QLatin1String(kHost) &&
               url.path() == QLatin1String("/index.html") && type != NavigationTypeLinkClicked &&
               type != NavigationTypeFormSubmitted;
    }

    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int line,
                                  const QString& source) override {
        // The page's own messages, for QT_LOGGING_RULES="sylvanode.preview.debug=true".
        qCDebug(previewLog, "%s:%d: %s", qUtf8Printable(source), line, qUtf8Printable(message));
        if (!message.startsWith(QLatin1String(kMessageMark)) || !source.endsWith(QLatin1String(kGlue))) return;
        const QJsonDocument json = QJsonDocument::fromJson(message.mid(int(qstrlen(kMessageMark))).toUtf8());
        if (json.isObject()) heard_(json.object());
    }

private:
    std::function<void(const QJsonObject&)> heard_;
};

LivePreview::LivePreview(SchemeDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("livePreview"));
    profile_ = new QWebEngineProfile(this);  // off the record: nothing kept on disk
    site_ = new PreviewSite(this);
    profile_->installUrlSchemeHandler(kPreviewScheme, site_);
    initUiResources();
    QFile glue(QStringLiteral(":/preview/pane_page.js"));
    if (glue.open(QIODevice::ReadOnly))
        site_->memory[QStringLiteral("/lib/") + QLatin1String(kGlue)] = {"text/javascript", glue.readAll()};
    site_->libraryDir = QFile::decodeName(webLibraryDirectory().c_str());

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* views = new QActionGroup(this);
    const auto addAction = [&](const QString& text, const char* name, const QString& tip) {
        QAction* a = bar->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setCheckable(true);
        a->setToolTip(tip);
        a->setStatusTip(tip);
        return a;
    };
    desktopAction_ = addAction(tr("桌面"), "desktopViewAction", tr("页面和预览窗格一样宽"));
    phoneAction_ = addAction(tr("手机"), "phoneViewAction", tr("375 像素宽的触摸屏"));
    views->addAction(desktopAction_);
    views->addAction(phoneAction_);
    desktopAction_->setChecked(true);
    bar->addSeparator();
    rtlAction_ = addAction(tr("从右到左"), "rtlViewAction", tr("页面从右到左排列"));
    followLinksAction_ = addAction(tr("跟随链接"), "followLinksAction", tr("在浏览器中打开预览里点击的链接"));

    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("previewView"));
    page_ = new PanePage(profile_, this, [this](const QJsonObject& m) { pageSaid(m); });
    view_->setPage(page_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    viewFrame_ = new QWidget(this);
    auto* frameLayout = new QHBoxLayout(viewFrame_);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(view_);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("previewStatusLine"));
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setMinimumWidth(10);
    statusLine_->setMinimumHeight(statusLine_->fontMetrics().height() + 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(viewFrame_, 1);
    layout->addWidget(statusLine_);

    debounce_ = new QTimer(this);
    debounce_->setSingleShot(true);
    debounce_->setInterval(kDebounceMs);
    connect(debounce_, &QTimer::timeout, this, &LivePreview::updateNow);
    connect(&document_, &SchemeDocument::contentChanged, this, &LivePreview::schedule);
    connect(&document_, &SchemeDocument::replaced, this, &LivePreview::schedule);
    connect(&document_, &SchemeDocument::filePathChanged, this, &LivePreview::schedule);
    connect(&document_, &SchemeDocument::currentItemChanged, this, &LivePreview::markCurrent);

    const auto changeView = [this] {
        const bool phone = phoneAction_->isChecked();
        // A phone's width, whatever the pane's.
        view_->setFixedWidth(phone ? 375 : QWIDGETSIZE_MAX);
        view_->setMinimumWidth(phone ? 375 : 0);
        viewFrame_->layout()->setAlignment(view_, phone ? Qt::AlignHCenter : Qt::Alignment());
        updateNow();
    };
    connect(views, &QActionGroup::triggered, this, changeView);
    connect(rtlAction_, &QAction::toggled, this, &LivePreview::updateNow);

    connect(page_, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        qCDebug(previewLog, "loaded %d %s", int(ok), qUtf8Printable(page_->url().toString()));
        if (!loading_) return;
        loading_ = false;
        if (ok) {
            runScript(QStringLiteral("window.snPane && snPane.restore(%1, %2)")
                          .arg(state_)
                          .arg(document_.indexOf(document_.currentItem())));
        } else {
            finished(sent_);
        }
    });
    // A page that never says it is done (a script that hangs, a renderer that died) is loaded again.
    watchdog_ = new QTimer(this);
    watchdog_->setSingleShot(true);
    watchdog_->setInterval(kWatchdogMs);
    connect(watchdog_, &QTimer::timeout, this, [this] {
        qCWarning(previewLog, "the page did not show version %d; loading it again", sent_);
        busy_ = false;
        pageReady_ = false;
        updateNow();
    });
    connect(page_, &QWebEnginePage::linkHovered, this, [this](const QString& url) {
        hoveredLink_ = url;
        statusLine_->setText(statusText_.isEmpty() ? hoveredLink_ : statusText_);
    });
    updateNow();
}

LivePreview::~LivePreview() {
    // The page goes before its profile.
    delete view_;
    delete page_;
}

void LivePreview::runScript(const QString& script, const std::function<void(const QVariant&)>& done) {
    if (done) {
        QPointer<LivePreview> self(this);
        page_->runJavaScript(script, [self, done](const QVariant& v) {
            if (self) done(v);
        });
    } else {
        page_->runJavaScript(script);
    }
}

bool LivePreview::upToDate() const {
    return !debounce_->isActive() && !busy_ && !dirty_ && !stale_ && shown_ == generation_;
}

void LivePreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) {
        stale_ = false;
        schedule();
    }
}

void LivePreview::schedule() {
    // A hidden pane catches up when it is shown again.
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    // The first change starts the clock; later ones ride along.
    if (!debounce_->isActive()) debounce_->start(document_.itemCount() > kLargeMenu ? kLargeDebounceMs : kDebounceMs);
}

void LivePreview::updateNow() {
    debounce_->stop();
    // One version at a time: a change while the page takes one is built when it is done.
    if (busy_) {
        dirty_ = true;
        return;
    }
    dirty_ = false;
    const MenuScheme& scheme = document_.scheme();
    const QString schemeDir =
        document_.isUntitled() ? QDir::currentPath() : QFileInfo(document_.filePath()).absolutePath();
    const std::string base = previewBaseDirectory(scheme, QFile::encodeName(schemeDir).toStdString());

    // Without node-line images at the site, the library's own are used (in the script only:
    // the scheme is put back as it was before anything can see it).
    auto& lent = const_cast<MenuScheme&>(scheme);
    const std::string lineFolder = scheme.settings.lineFolder;
    if (scheme.settings.showLine && !lineImagesPresent(lineFolder, base))
        lent.settings.lineFolder = pageUrl(QStringLiteral("lib/")).toStdString();
    const std::string script = scriptFileBytes(scheme);
    lent.settings.lineFolder = lineFolder;

    PreviewPageParts parts;
    parts.title = (document_.isUntitled() ? tr("未命名") : document_.fileName()).toStdString();
    parts.language = pageLanguageOf(scheme);
    parts.baseUrl = pageUrl(QStringLiteral("site/")).toStdString();
    parts.libraryUrl = pageUrl(QStringLiteral("lib/") + QLatin1String(kWebLibraryFile)).toStdString();
    parts.headScripts = {pageUrl(QStringLiteral("lib/") + QLatin1String(kGlue)).toStdString()};
    parts.scriptUrl = pageUrl(QStringLiteral("menu.js")).toStdString();
    parts.scriptCharset = scheme.settings.scriptCharset;
    // No item's script runs in the pane: scripts come only from the page's own address.
    parts.contentSecurityPolicy = "script-src 'self'";
    const std::string pageShape = previewPageHtml(parts);
    ++generation_;
    // A new address for each version: the engine would take an earlier one from its cache.
    parts.scriptUrl = pageUrl(QStringLiteral("menu.js?g=%1").arg(generation_)).toStdString();
    const std::string html = previewPageHtml(parts);

    nextNodes_.clear();
    forEachPreOrder(scheme.roots(), [this](const MenuNode* n, int) { nextNodes_.push_back(n); });
    site_->memory[QStringLiteral("/menu.js")] = {"text/javascript", QByteArray(script.data(), qsizetype(script.size()))};
    // What the page itself depends on (its address, its work directory, its title and language,
    // the view): when that changes the page is loaded again, else only the menu is swapped.
    const QString key = QString::fromStdString(pageShape) + QLatin1Char('\n') + QString::number(int(phoneAction_->isChecked())) + QString::number(int(rtlAction_->isChecked()));
    const QString baseDir = QFile::decodeName(base.c_str());
    const bool sameHome = baseDir == site_->baseDir;
    site_->baseDir = baseDir;
    site_->memory[QStringLiteral("/index.html")] = {"text/html", QByteArray(html.data(), qsizetype(html.size()))};
    if (pageReady_ && sameHome && key == pageKey_) {
        // The script as the page would read it in its character set.
        const std::string_view bytes(script);
        swap(scheme.settings.scriptCharset == ScriptCharset::Utf8 ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                                                                  : toQString(bytes));
    } else {
        pageKey_ = key;
        load();
    }
}

QString LivePreview::send() {
    busy_ = true;
    sent_ = generation_;
    watchdog_->start();
    // Where each item of the version in the page is in the new one (-1: gone), so that the
    // folders the visitor opened open again. (A node deleted since is never looked at, only
    // compared.)
    std::unordered_map<const MenuNode*, int> index;
    index.reserve(nextNodes_.size());
    for (size_t i = 0; i < nextNodes_.size(); ++i) index.emplace(nextNodes_[i], int(i));
    QString moves;
    moves.reserve(qsizetype(pageNodes_.size() * 6 + 2));
    moves += QLatin1Char('[');
    for (size_t i = 0; i < pageNodes_.size(); ++i) {
        if (i) moves += QLatin1Char(',');
        const auto it = index.find(pageNodes_[i]);
        moves += QString::number(it == index.end() ? -1 : it->second);
    }
    moves += QLatin1Char(']');
    pageNodes_ = std::move(nextNodes_);
    nextNodes_.clear();
    return moves;
}

void LivePreview::swap(const QString& script) {
    qCDebug(previewLog, "swapping in %d", generation_);
    // Run from here rather than fetched by the page: a request to the page's own address takes
    // the engine hundreds of milliseconds.
    const QString moves = send();
    runScript(QStringLiteral("snPane.update(") + QString::number(generation_) + QLatin1Char(',') + moves +
              QLatin1Char(',') + QString::number(document_.indexOf(document_.currentItem())) +
              QStringLiteral(",function(){\n") + script + QStringLiteral("\n})"));
}

void LivePreview::load() {
    pageReady_ = false;
    loading_ = true;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("g"), QString::number(generation_));
    if (phoneAction_->isChecked()) query.addQueryItem(QStringLiteral("v"), QStringLiteral("phone"));
    if (rtlAction_->isChecked()) query.addQueryItem(QStringLiteral("rtl"), QStringLiteral("1"));
    QUrl url(pageUrl(QStringLiteral("index.html")));
    url.setQuery(query);
    const QString moves = send();
    runScript(QStringLiteral("window.snPane ? snPane.state(%1) : null").arg(moves), [this, url](const QVariant& state) {
        qCDebug(previewLog, "loading %s", qUtf8Printable(url.toString()));
        state_ = state.isValid() && !state.isNull()
                     ? QString::fromUtf8(QJsonDocument::fromVariant(state).toJson(QJsonDocument::Compact))
                     : QStringLiteral("null");
        if (state_ != QLatin1String("null")) {
            // From the page itself: the engine keeps its process (a load from here would start a
            // new one, which takes seconds on a busy machine).
            const QByteArray address = QJsonDocument(QJsonArray{url.toString()}).toJson(QJsonDocument::Compact);
            page_->runJavaScript(QStringLiteral("location.replace(%1[0])").arg(QString::fromUtf8(address)));
        } else {
            page_->load(url);
        }
    });
}

void LivePreview::finished(int generation) {
    if (generation != sent_ || !busy_) return;
    busy_ = false;
    watchdog_->stop();
    if (dirty_) updateNow();
}

void LivePreview::markCurrent() {
    runScript(QStringLiteral("window.snPane && snPane.mark(%1)").arg(document_.indexOf(document_.currentItem())));
}

void LivePreview::pageSaid(const QJsonObject& message) {
    qCDebug(previewLog) << "said" << message;
    if (message.contains(QLatin1String("ready"))) {
        const int generation = message.value(QLatin1String("ready")).toInt();
        if (generation != sent_) return;
        shown_ = generation;
        pageReady_ = !message.value(QLatin1String("failed")).toBool();
        Q_EMIT shown(shown_);
        finished(generation);
    } else if (message.contains(QLatin1String("status"))) {
        statusText_ = message.value(QLatin1String("status")).toString();
        statusLine_->setText(statusText_.isEmpty() ? hoveredLink_ : statusText_);
    } else if (message.contains(QLatin1String("click"))) {
        const int index = message.value(QLatin1String("click")).toInt(-1);
        const QString text = linkText(index, message);
        if (!text.isEmpty()) Q_EMIT this->message(text);
        if (index >= 0 && index < document_.itemCount()) Q_EMIT itemClicked(index);
        if (followLinksAction_->isChecked()) {
            const MenuNode* item = index >= 0 ? document_.itemAt(index) : nullptr;
            const QString link = item && item->data.contentType == 0 ? toQString(item->data.menuLink)
                                                                     : message.value(QLatin1String("href")).toString();
            if (!link.isEmpty() && !link.trimmed().startsWith(QLatin1String("javascript:"), Qt::CaseInsensitive)) {
                const QUrl target = QUrl::fromLocalFile(site_->baseDir).resolved(QUrl(link));
                Q_EMIT followLink(target);
            }
        }
    }
}

QString LivePreview::linkText(int index, const QJsonObject& click) const {
    const MenuNode* item = index >= 0 && index < document_.itemCount() ? document_.itemAt(index) : nullptr;
    QString link = click.value(QLatin1String("href")).toString();
    QString target = click.value(QLatin1String("target")).toString();
    if (item) {
        if (item->data.contentType != 0) return tr("脚本: %1").arg(toQString(item->data.menuScript));
        link = toQString(item->data.menuLink);
        const std::string& own = item->data.menuTarget;
        target = toQString(own.empty() ? document_.scheme().settings.target : own);
    }
    if (link.isEmpty()) return {};
    return target.isEmpty() ? tr("链接: %1").arg(link) : tr("链接: %1 → %2").arg(link, target);
}

}  // namespace sylvanode
