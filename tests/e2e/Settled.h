#pragma once

#include <QImage>
#include <QTest>

#include <utility>

// The picture `grab` takes once it gives the same twice in a row, for a clock whose time stands
// still; after 100 tries, the last one.
template <typename Grab> QImage Settled(Grab grab)
{
    QImage previous = grab();
    for (int tries = 0; tries < 100; ++tries) {
        QTest::qWait(50);
        QImage now = grab();
        if (now == previous)
            break;
        previous = std::move(now);
    }
    return previous;
}
