#include "platform/tabstrip.h"

#include <QTabBar>

namespace tk {

TabStrip::TabStrip(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_bar(new QTabBar) {
    m_bar->setExpanding(false);
    hostInner(m_bar);
    QObject::connect(m_bar, &QTabBar::currentChanged, this, [this](int) { raiseEvent([&] { click(); }); });
}

void TabStrip::addTab(const std::string& caption, const std::string& toolTip) {
    const QSignalBlocker block(m_bar);
    const int tab = m_bar->addTab(QString::fromStdString(caption));
    m_bar->setTabToolTip(tab, QString::fromStdString(toolTip));
}

int TabStrip::tabCount() const {
    return m_bar->count();
}

std::string TabStrip::tabCaption(int tab) const {
    return m_bar->tabText(tab - 1).toStdString();
}

std::string TabStrip::tabToolTip(int tab) const {
    return m_bar->tabToolTip(tab - 1).toStdString();
}

int TabStrip::selectedTab() const {
    return m_bar->currentIndex() + 1;
}

void TabStrip::selectTab(int tab) {
    if (tab - 1 == m_bar->currentIndex()) {
        raiseEvent([&] { click(); }); // selecting from code raises Click even on the same tab
        return;
    }
    m_bar->setCurrentIndex(tab - 1);
}

} // namespace tk
