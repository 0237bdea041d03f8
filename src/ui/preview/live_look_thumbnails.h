// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <vector>

#include "model/scheme_look.h"

class QWebEngineProfile;
class QWebEngineView;

namespace sylvanode {

class PreviewSite;

// Every look drawing the same small sample menu, live, in one page: a thumbnail per look.
class LookThumbnails : public QWidget {
    Q_OBJECT
public:
    explicit LookThumbnails(const std::vector<SchemeLook>& looks, QWidget* parent = nullptr);
    ~LookThumbnails() override;

    QWebEngineView* view() const { return view_; }

public Q_SLOTS:
    // Marks the thumbnail of look `index` and scrolls it into view.
    void showLook(int index);

private:
    QWebEngineProfile* profile_ = nullptr;
    PreviewSite* site_ = nullptr;
    QWebEngineView* view_ = nullptr;
};

}  // namespace sylvanode
