// A named pipe that nothing writes to: opening it for reading the plain way waits for ever. While
// this object lives, a reader still waiting after `patience` is let go with an empty pipe, so that
// a test of that fault fails instead of hanging. Linux only.
#pragma once

#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testing {

class PipeWithoutWriter {
public:
    explicit PipeWithoutWriter(QString path, std::chrono::milliseconds patience = std::chrono::seconds(3))
        : path_(std::move(path))
    {
        created_ = ::mkfifo(QFile::encodeName(path_).constData(), 0600) == 0;
        if (created_)
            watchdog_ = std::thread([this, patience] { watch(patience); });
    }
    ~PipeWithoutWriter()
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (watchdog_.joinable())
            watchdog_.join();
    }
    PipeWithoutWriter(const PipeWithoutWriter&) = delete;
    PipeWithoutWriter& operator=(const PipeWithoutWriter&) = delete;

    bool created() const { return created_; }
    const QString& path() const { return path_; }
    // Whether a reader had to be let go.
    bool readerWasStuck() const { return stuck_; }

private:
    void watch(std::chrono::milliseconds patience)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (wake_.wait_for(lock, patience, [this] { return stopping_; }))
            return;
        do {
            // Opening the writing end without waiting works only while a reader has the pipe open.
            const int writer = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                stuck_ = true;
                ::close(writer);
            }
        } while (!wake_.wait_for(lock, std::chrono::milliseconds(50), [this] { return stopping_; }));
    }

    QString path_;
    bool created_ = false;
    std::atomic<bool> stuck_ { false };
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread watchdog_;
};

} // namespace testing
