#pragma once

#include <QWidget>
#include <array>
#include <memory>

class Model;
class VirtualAtoNWidget;

namespace Ui
{
class VirtualAtoNTab;
}

// The "Virtual AtoN(s)" tab: the ten virtual AtoN pages behind a vertical tab bar titled "1" to "10".
// It is no configuration tab itself: it fans the main window's load, store and clear-edited requests
// out to its pages and hands the pages out one by one.
class VirtualAtoNTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PageCount = 10;

    // Page k edits virtual AtoN k of the model (the tab model).
    VirtualAtoNTab(Model* model, QWidget* parent);
    ~VirtualAtoNTab() override;

    VirtualAtoNWidget* GetVirtualAtoN01() const { return pages[0]; }
    VirtualAtoNWidget* GetVirtualAtoN02() const { return pages[1]; }
    VirtualAtoNWidget* GetVirtualAtoN03() const { return pages[2]; }
    VirtualAtoNWidget* GetVirtualAtoN04() const { return pages[3]; }
    VirtualAtoNWidget* GetVirtualAtoN05() const { return pages[4]; }
    VirtualAtoNWidget* GetVirtualAtoN06() const { return pages[5]; }
    VirtualAtoNWidget* GetVirtualAtoN07() const { return pages[6]; }
    VirtualAtoNWidget* GetVirtualAtoN08() const { return pages[7]; }
    VirtualAtoNWidget* GetVirtualAtoN09() const { return pages[8]; }
    VirtualAtoNWidget* GetVirtualAtoN10() const { return pages[9]; }
    // Page k, 1 ... 10; null for any other k.
    VirtualAtoNWidget* GetVirtualAtoN(int k) const;

    // Page k takes over the source's virtual AtoN k and reloads, for k = 1 ... 10.
    void SetModel(Model* source);
    // Every page stores its widgets (into its own record); the tenth page's result.
    bool UpdateModelFromTab(Model* target);
    void ClearEdited();

private:
    std::unique_ptr<Ui::VirtualAtoNTab> ui;
    std::array<VirtualAtoNWidget*, PageCount> pages{};
};
