// brawnmoor-soundgen: makes every sound, the music and the tutorial voices of the game and
// writes them as Ogg Vorbis files (44.1 kHz) into the data folder's snd/.
//
//   brawnmoor-soundgen --out DIR [--espeak PROGRAM] [--only a.ogg,b.ogg] [--jobs N] [--list]
//
// The output depends only on this program's sources (and espeak-ng's voice data): every
// sound draws its random numbers from a generator seeded by its own file name.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include <sys/resource.h>

#include "oggwrite.h"
#include "sounds.h"
#include "speech.h"

using namespace sg;

namespace {

struct Result {
  bool ok = false;
  std::string error;
  double seconds = 0, peakDb = 0, rmsDb = 0, makeSeconds = 0, encodeSeconds = 0;
};

// CPU seconds used so far by this program's threads and by the espeak-ng runs it waited for.
double cpuSeconds() {
  double s = 0;
  for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage u{};
    getrusage(who, &u);
    s += u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
  }
  return s;
}

double since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void level(Audio& a, const Level& lv) {
  if (lv.mode == Level::Peak) {
    normalisePeak(a, lv.db);
    return;
  }
  double r = a.rms();
  if (r > 0) a.scale(dbToGain(lv.db) / r);
  // Bend the few peaks that stand above the ceiling, then pin the ceiling exactly.
  if (a.peak() > dbToGain(lv.ceilingDb)) {
    softLimit(a, dbToGain(lv.ceilingDb - 3.0), dbToGain(lv.ceilingDb));
    if (a.peak() > dbToGain(lv.ceilingDb)) normalisePeak(a, lv.ceilingDb);
  }
}

Result makeOne(const SoundSpec& spec, const std::string& dir) {
  Result res;
  auto t0 = std::chrono::steady_clock::now();
  Rng rng(Rng::hash(spec.file));
  Audio a;
  try {
    a = spec.make(rng, res.error);
  } catch (const std::exception& e) {
    res.error = e.what();
  }
  if (a.frames() == 0) {
    if (res.error.empty()) res.error = "made an empty sound";
    return res;
  }
  level(a, spec.level);
  res.makeSeconds = since(t0);
  res.seconds = a.seconds();
  res.peakDb = gainToDb(a.peak());
  res.rmsDb = gainToDb(a.rms());

  auto t1 = std::chrono::steady_clock::now();
  std::string path = dir + "/" + spec.file;
  std::string tmp = path + ".part";
  int serial = static_cast<int>(Rng::hash(spec.file) & 0x7fffffff);
  if (!writeOggVorbis(tmp, a, spec.quality, serial, spec.file, res.error)) return res;
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    res.error = "cannot rename " + tmp + ": " + ec.message();
    return res;
  }
  res.encodeSeconds = since(t1);
  res.ok = true;
  return res;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, only;
  int jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        fprintf(stderr, "soundgen: %s needs a value\n", a.c_str());
        exit(2);
      }
      return argv[++i];
    };
    if (a == "--out") out = value();
    else if (a == "--espeak") setEspeakProgram(value());
    else if (a == "--only") only = value();
    else if (a == "--jobs") jobs = std::max(1, std::stoi(value()));
    else if (a == "--list") list = true;
    else {
      fprintf(stderr, "usage: brawnmoor-soundgen --out DIR [--espeak PROGRAM] [--only a.ogg,b.ogg] [--jobs N] [--list]\n");
      return 2;
    }
  }

  std::vector<SoundSpec> all;
  addEffects(all);
  addMusic(all);
  addVoices(all);
  if (list) {
    for (const SoundSpec& s : all) printf("%s\t%s\n", s.file.c_str(), s.what.c_str());
    return 0;
  }
  if (out.empty()) {
    fprintf(stderr, "soundgen: --out DIR is required\n");
    return 2;
  }
  std::vector<const SoundSpec*> todo;
  std::set<std::string> wanted;
  std::stringstream ss(only);
  for (std::string item; std::getline(ss, item, ',');)
    if (!item.empty()) wanted.insert(item);
  for (const SoundSpec& s : all)
    if (wanted.empty() || wanted.count(s.file)) todo.push_back(&s);
  if (todo.size() != (wanted.empty() ? all.size() : wanted.size())) {
    fprintf(stderr, "soundgen: --only names a sound that does not exist\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(out, ec);

  // The longest jobs first, so that two workers finish together.
  auto weight = [](const SoundSpec* s) {
    if (s->file == "theme.ogg") return 0;
    if (s->file.rfind("tutorial", 0) == 0) return 1;
    return 2;
  };
  std::stable_sort(todo.begin(), todo.end(), [&](auto* a, auto* b) { return weight(a) < weight(b); });

  auto t0 = std::chrono::steady_clock::now();
  std::vector<Result> results(todo.size());
  std::atomic<size_t> nextJob{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < std::min<int>(jobs, static_cast<int>(todo.size())); ++w)
    workers.emplace_back([&] {
      for (size_t j; (j = nextJob++) < todo.size();) results[j] = makeOne(*todo[j], out);
    });
  for (auto& t : workers) t.join();
  double total = since(t0);

  int failed = 0;
  double make = 0, encode = 0;
  for (size_t j = 0; j < todo.size(); ++j) {
    const Result& r = results[j];
    if (!r.ok) {
      fprintf(stderr, "soundgen: %s: %s\n", todo[j]->file.c_str(), r.error.c_str());
      ++failed;
      continue;
    }
    make += r.makeSeconds;
    encode += r.encodeSeconds;
    printf("  %-18s %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS  (made in %.2f s, encoded in %.2f s)\n",
           todo[j]->file.c_str(), r.seconds, r.peakDb, r.rmsDb, r.makeSeconds, r.encodeSeconds);
  }
  if (failed) return 1;
  printf("soundgen: %zu sounds written to %s in %.1f s (%d workers, %.1f s of CPU; the files took %.1f s to make "
         "and %.1f s to encode)\n",
         todo.size(), out.c_str(), total, std::min<int>(jobs, static_cast<int>(todo.size())), cpuSeconds(), make,
         encode);
  return 0;
}
