// SPDX-License-Identifier: MIT
// The 预览 dock's content: the live preview, or a button for the external one.
#include "ui/preview/preview_pane.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/scheme_document.h"

#ifdef SYLVANODE_LIVE_PREVIEW
#include <QWebEngineUrlScheme>
#include <unistd.h>

#include "ui/preview/live_preview.h"
#endif

namespace sylvanode {

void preparePreviewEngine() {
#ifdef SYLVANODE_LIVE_PREVIEW
    QWebEngineUrlScheme scheme(kPreviewScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Chromium's sandbox does not start for root; anyone else keeps it.
    if (geteuid() == 0) {
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    }
#endif
}

bool livePreviewAvailable() {
#ifdef SYLVANODE_LIVE_PREVIEW
    return QGuiApplication::platformName() != QLatin1String("offscreen");
#else
    return false;
#endif
}

PreviewPane::PreviewPane(SchemeDocument& document, QAction* externalPreview, QWidget* parent)
    : QWidget(parent), document_(document) {
    setObjectName(QStringLiteral("previewPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (livePreviewAvailable()) return;
    // Without the live pane: the page in the browser, one click away.
    auto* note = new QLabel(tr("预览窗格在这里不可用。"), this);
    note->setWordWrap(true);
    auto* button = new QPushButton(tr("在浏览器中预览"), this);
    button->setObjectName(QStringLiteral("externalPreviewButton"));
    connect(button, &QPushButton::clicked, externalPreview, &QAction::trigger);
    layout->addWidget(note);
    layout->addWidget(button);
    layout->addStretch(1);
}

void PreviewPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
#ifdef SYLVANODE_LIVE_PREVIEW
    if (live_ || !livePreviewAvailable()) return;
    live_ = new LivePreview(document_, this);
    layout()->addWidget(live_);
    connect(live_, &LivePreview::itemClicked, this, &PreviewPane::itemClicked);
    connect(live_, &LivePreview::message, this, &PreviewPane::message);
    connect(live_, &LivePreview::followLink, this, &PreviewPane::followLink);
#endif
}

}  // namespace sylvanode
