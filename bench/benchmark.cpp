#include "benchmark.h"

#include <QElapsedTimer>

namespace bench {

namespace {
std::vector<Figure>& list()
{
    static std::vector<Figure> all;
    return all;
}
}  // namespace

void addFigure(Figure figure)
{
    list().push_back(std::move(figure));
}

const std::vector<Figure>& figures()
{
    return list();
}

double timeMs(const std::function<void()>& fn)
{
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

}  // namespace bench
