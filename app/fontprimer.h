#pragma once
// The interface fonts are looked up on a worker thread while the user-interface
// thread draws the window's pictures: the toolkit's font database is filled and
// the font files read once, so that the first label finds them ready.
#include <QFont>
#include <thread>

namespace kv {

class FontPrimer {
public:
    // The font and its bold face, which the window's headings use.
    explicit FontPrimer(QFont font);
    ~FontPrimer(); // waits for the worker: it must end before the application does

    FontPrimer(const FontPrimer&) = delete;
    FontPrimer& operator=(const FontPrimer&) = delete;

private:
    std::thread worker_;
};

} // namespace kv
