#include "playback/PictureWait.h"

#include "playback/PlaybackGraph.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

bool WaitForShownPicture(PlaybackGraph& graph, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QObject::connect(&graph, &PlaybackGraph::seekSettled, &loop, &QEventLoop::quit);
    QTimer timeout;
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    while (graph.FramePending() && !deadline.hasExpired()) {
        timeout.start(int(std::max<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
    return !graph.FramePending();
}
