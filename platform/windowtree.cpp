#include "platform/windowtree.h"

#include <algorithm>

namespace kv {

WindowTree::WindowTree(std::vector<TopLevelWindow> windows, const QRect& desktop)
    : windows_(std::move(windows)), desktop_(desktop) {}

std::vector<QRect> WindowTree::chainAt(QPoint p) const {
    std::vector<QRect> chain;
    auto add = [&chain](const QRect& r) {
        if (!r.isEmpty() && std::find(chain.begin(), chain.end(), r) == chain.end())
            chain.push_back(r);
    };
    for (const TopLevelWindow& w : windows_) {
        const QRect frame = w.frame & desktop_;
        if (!frame.contains(p)) continue;
        add(frame);
        // The window's own area counts even where the pointer is on the frame: the
        // title bar is part of the window the user pointed at.
        QRect shown = w.client.rect & frame;
        add(shown);
        const WindowNode* node = &w.client;
        while (node) {
            const WindowNode* under = nullptr;
            for (const WindowNode& child : node->children) {
                const QRect r = child.rect & shown;
                if (!r.contains(p)) continue;
                add(r);
                shown = r;
                under = &child;
                break;
            }
            node = under;
        }
        break;
    }
    return chain;
}

std::optional<QRect> stepThroughWindows(const std::vector<QRect>& chain, const QRect& current,
                                        bool inward) {
    if (chain.empty()) return std::nullopt;
    const auto at = std::find(chain.begin(), chain.end(), current);
    if (at == chain.end()) return chain.front();
    const auto i = at - chain.begin();
    const auto last = std::ptrdiff_t(chain.size()) - 1;
    return chain[size_t(std::clamp<std::ptrdiff_t>(inward ? i + 1 : i - 1, 0, last))];
}

} // namespace kv
