// Times the start-up of two programs side by side: each round starts both, in
// alternating order, with the same bytes waiting on a pipe as standard input
// and standard output thrown away, and measures from the spawn to the end of
// the wait. Alternating keeps a change in the machine's load (other builds,
// frequency scaling) from falling on one program only. Prints the median of
// each and their ratio.
//
//   startup_timer ROUNDS INPUT PROGRAM BASELINE
//
// INPUT is the text piped to both, such as "x\n". The exit status is 0 when
// every run ended with status 0, 1 otherwise.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// One run of `program`, in microseconds; negative when it could not be
// started or did not end with status 0.
double timeOneRun(const char* program, const std::string& input, int nullFd) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0)
    return -1;
  // The input is small enough for the pipe's buffer: it is all waiting
  // before the program starts, as when a shell pipes a short session in.
  if (write(pipeFds[1], input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return -1;
  }
  close(pipeFds[1]);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, nullFd, STDOUT_FILENO);
  char* argv[] = {const_cast<char*>(program), nullptr};

  Clock::time_point start = Clock::now();
  pid_t child = 0;
  int spawnError = posix_spawn(&child, program, &actions, nullptr, argv, environ);
  int status = 0;
  bool waited = spawnError == 0 && waitpid(child, &status, 0) == child;
  Clock::time_point end = Clock::now();

  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[0]);
  if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::chrono::duration<double, std::micro>(end - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1)
    return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s ROUNDS INPUT PROGRAM BASELINE\n", argv[0]);
    return 2;
  }
  int rounds = std::atoi(argv[1]);
  std::string input = argv[2];
  const char* programs[2] = {argv[3], argv[4]};
  int nullFd = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (rounds < 1 || nullFd < 0) {
    std::fprintf(stderr, "%s: ROUNDS must be at least 1 and /dev/null writable\n", argv[0]);
    return 2;
  }

  // A few rounds first bring both programs and their libraries into the
  // page cache, so that no round measures the disk.
  for (int round = 0; round < 10; ++round)
    for (const char* program : programs)
      timeOneRun(program, input, nullFd);

  std::vector<double> times[2];
  for (int round = 0; round < rounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      int which = (round + turn) % 2;
      double micros = timeOneRun(programs[which], input, nullFd);
      if (micros < 0) {
        std::fprintf(stderr, "%s: %s did not start or did not end with status 0\n", argv[0],
                     programs[which]);
        return 1;
      }
      times[which].push_back(micros);
    }
  }

  double program = median(times[0]);
  double baseline = median(times[1]);
  std::printf("%-40s median %8.1f us over %d runs\n", programs[0], program, rounds);
  std::printf("%-40s median %8.1f us over %d runs\n", programs[1], baseline, rounds);
  std::printf("ratio %.2f\n", program / baseline);
  return 0;
}
