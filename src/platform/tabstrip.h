#pragma once

#include "platform/control.h"

#include <string>

class QTabBar;

namespace tk {

// A row of tabs. The selected tab counts from 1; choosing a tab, by the user or by the program,
// raises Click.
class TabStrip : public Control {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent, std::string name = {}, int index = -1);

    void addTab(const std::string& caption, const std::string& toolTip = {});
    int tabCount() const;
    std::string tabCaption(int tab) const;
    std::string tabToolTip(int tab) const;
    int selectedTab() const;
    void selectTab(int tab);

protected:
    bool clickFollowsRelease() const override { return false; }

private:
    QTabBar* m_bar;
};

} // namespace tk
