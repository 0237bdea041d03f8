// SPDX-License-Identifier: MIT
// The gallery of looks and saving the current look.
#include "ui/preview/look_gallery.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "document/item_edits.h"
#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "platform/safe_file.h"
#include "preview/web_library.h"
#include "ui/common/failure_text.h"
#include "ui/common/prompter.h"
#include "ui/preview/preview_pane.h"

#ifdef SYLVANODE_LIVE_PREVIEW
#include "ui/preview/live_look_thumbnails.h"
#endif

namespace sylvanode {
namespace {

// The names of the shipped looks, for the translations; a look the user saved keeps its name.
[[maybe_unused]] constexpr const char* kShippedLookNames[] = {
    QT_TRANSLATE_NOOP("sylvanode::LookGallery", "经典"),     QT_TRANSLATE_NOOP("sylvanode::LookGallery", "文档侧栏"),
    QT_TRANSLATE_NOOP("sylvanode::LookGallery", "文件管理器"), QT_TRANSLATE_NOOP("sylvanode::LookGallery", "简洁列表"),
    QT_TRANSLATE_NOOP("sylvanode::LookGallery", "深色侧栏"),   QT_TRANSLATE_NOOP("sylvanode::LookGallery", "触摸大按钮"),
    QT_TRANSLATE_NOOP("sylvanode::LookGallery", "报刊衬线"),   QT_TRANSLATE_NOOP("sylvanode::LookGallery", "清新绿"),
    QT_TRANSLATE_NOOP("sylvanode::LookGallery", "边框卡片"),   QT_TRANSLATE_NOOP("sylvanode::LookGallery", "紧凑"),
};

}  // namespace

QString shippedLooksFolder() {
    const std::string web = webLibraryDirectory();
    return web.empty() ? QString() : QDir::cleanPath(QFile::decodeName(web.c_str()) + QStringLiteral("/../looks"));
}

QString userLooksFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/sylvanode/looks");
}

std::vector<LookFile> readLooks(const QStringList& folders) {
    std::vector<LookFile> looks;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) continue;
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.look")}, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            QFile f(file.filePath());
            if (!f.open(QIODevice::ReadOnly) || f.size() > 1 << 20) continue;
            const QByteArray bytes = f.readAll();
            LookFile entry{file.filePath(), {}};
            if (!readLookText(entry.look, std::string_view(bytes.constData(), size_t(bytes.size())))) continue;
            if (entry.look.name.empty()) entry.look.name = toSchemeBytes(file.completeBaseName());
            looks.push_back(std::move(entry));
        }
    }
    return looks;
}

bool applyLookTo(SchemeDocument& document, const SchemeLook& look) {
    SchemeOptions options = optionsOf(document.scheme());
    applyLook(look, options.settings, options.kinds);
    return changeOptions(document, DocumentPart::Styles, QObject::tr("套用样式"), -1, options);
}

QString saveCurrentLook(SchemeDocument& document, Prompter& prompter, QWidget* parent) {
    const QString folder = userLooksFolder();
    QDir().mkpath(folder);
    Prompter::FileRequest request;
    request.title = QObject::tr("保存当前样式");
    request.filter = QObject::tr("样式文件 (*.look)|*.look");
    request.initialDirectory = folder;
    request.defaultExtension = QStringLiteral("*.look");
    request.confirmOverwrite = true;
    const std::optional<QString> chosen = prompter.saveFile(parent, request);
    if (!chosen || chosen->isEmpty()) return {};
    QString path = *chosen;
    if (!path.endsWith(QLatin1String(".look"))) path += QLatin1String(".look");
    SchemeLook look = lookOf(document.scheme());
    look.name = toSchemeBytes(QFileInfo(path).completeBaseName());
    const IoResult written = writeFileAtomically(QFile::encodeName(path).toStdString(), writeLookText(look));
    if (!written) {
        prompter.message(parent, QStringLiteral("Sylvanode"), failureReason(written), Prompter::Icon::Error,
                         Prompter::Ok);
        return {};
    }
    return path;
}

LookGallery::LookGallery(SchemeDocument& document, const std::vector<LookFile>& looks, QWidget* parent)
    : QDialog(parent), document_(document), looks_(looks) {
    setObjectName(QStringLiteral("lookGallery"));
    setWindowTitle(tr("样式库"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lookList"));
    for (const LookFile& look : looks_) {
        const QString name = toQString(look.look.name);
        auto* item = new QListWidgetItem(look.path.startsWith(shippedLooksFolder() + QLatin1Char('/')) ? tr(name.toUtf8().constData()) : name,
                                         list_);
        item->setToolTip(QDir::toNativeSeparators(look.path));
    }
    list_->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* apply = buttons->addButton(tr("应用"), QDialogButtonBox::ApplyRole);
    apply->setObjectName(QStringLiteral("applyLookButton"));
    QPushButton* close = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, [this] {
        const int row = list_->currentRow();
        if (row >= 0 && row < int(looks_.size())) applyLookTo(document_, looks_[size_t(row)].look);
    });
    connect(list_, &QListWidget::itemActivated, apply, &QPushButton::click);

    auto* top = new QHBoxLayout;
    top->addWidget(list_);
#ifdef SYLVANODE_LIVE_PREVIEW
    if (livePreviewAvailable()) {
        std::vector<SchemeLook> shown;
        for (const LookFile& look : looks_) shown.push_back(look.look);
        auto* thumbnails = new LookThumbnails(shown, this);
        top->addWidget(thumbnails, 1);
        connect(list_, &QListWidget::currentRowChanged, thumbnails, &LookThumbnails::showLook);
        list_->setMaximumWidth(180);
        resize(760, 520);
    }
#endif
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
}

}  // namespace sylvanode
