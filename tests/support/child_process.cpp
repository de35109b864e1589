#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <utility>

extern char** environ;

namespace dsp::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

pid_t Spawn(const std::string& program, const std::vector<std::string>& args, posix_spawn_file_actions_t& actions) {
  std::vector<std::string> all = {program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& folder) {
  const std::string out_file = folder + "/stdout.txt";
  const std::string err_file = folder + "/stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  const pid_t pid = Spawn(program, args, actions);
  posix_spawn_file_actions_destroy(&actions);
  ProgramRun run;
  run.status = WaitFor(pid);
  run.out = ReadFile(out_file);
  run.err = ReadFile(err_file);
  return run;
}

SimProgram::SimProgram(const std::vector<std::string>& args, const std::string& err_file) : err_file_(err_file) {
  int out[2];
  if (pipe(out) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_ = Spawn(DSPSIM_PATH, args, actions);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char c = 0;
  pollfd ready{out[0], POLLIN, 0};
  while (poll(&ready, 1, 10000) == 1 && read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
  close(out[0]);
}

SimProgram::~SimProgram() { Stop(); }

int SimProgram::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  return WaitFor(std::exchange(pid_, -1));
}

std::string SimProgram::Errors() const { return ReadFile(err_file_); }

}  // namespace dsp::testing
