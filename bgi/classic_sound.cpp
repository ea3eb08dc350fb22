// sound and nosound of dos.h. On Windows a thread of its own plays the tone with Beep, a
// short piece at a time, from sound until nosound; elsewhere there is no speaker to drive.
#include <dos.h>

#ifdef _WIN32
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Short enough that nosound or a new frequency is heard at once.
constexpr DWORD PieceMs = 50;
// Beep's range of frequencies.
constexpr unsigned LowestHz = 37, HighestHz = 32767;

class Speaker {
 public:
  ~Speaker() {
    {
      std::lock_guard lock(mutex_);
      ending_ = true;
    }
    changed_.notify_one();
    if (player_.joinable()) player_.join();
  }

  void play(unsigned hz) {
    {
      std::lock_guard lock(mutex_);
      hz_ = hz;
    }
    if (hz != 0 && !player_.joinable()) player_ = std::thread([this] { run(); });
    changed_.notify_one();
  }

 private:
  void run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return ending_ || hz_ != 0; });
      if (ending_) return;
      const unsigned hz = hz_;
      lock.unlock();
      Beep(hz, PieceMs);
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  unsigned hz_ = 0;  // 0: silent
  bool ending_ = false;
  std::thread player_;
};

Speaker& TheSpeaker() {
  static Speaker speaker;
  return speaker;
}

}  // namespace

extern "C" {

void sound(unsigned frequency) {
  // A frequency the speaker cannot play is silence.
  TheSpeaker().play(frequency >= LowestHz && frequency <= HighestHz ? frequency : 0);
}

void nosound(void) {
  TheSpeaker().play(0);
}

}  // extern "C"

#else

extern "C" {

void sound(unsigned) {}

void nosound(void) {}

}  // extern "C"

#endif
