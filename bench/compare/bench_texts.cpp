#include "bench/compare/bench_texts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
const char* const types[] = {"int", "long", "char*", "size_t", "bool", "double", "Node*", "auto"};
const char* const verbs[] = {"compute", "read", "write", "find", "update", "release", "check", "merge"};
const char* const nouns[] = {"value", "count", "index", "buffer", "node", "entry", "line", "offset"};
const char* const repeated[] = {"{", "}", "", "", "    return 0;", "  }", "    break;", "#include <stdio.h>",
                                "  } else {", "    }"};

std::string name(std::mt19937& random, const char* const* words) {
  return std::string(words[random() % 8]) + "_" + std::to_string(random() % 5000);
}

std::string statement(std::mt19937& random) {
  std::string indent(2 * (1 + random() % 4), ' ');
  switch (random() % 4) {
    case 0: return indent + types[random() % 8] + " " + name(random, nouns) + " = " + name(random, verbs) + "();";
    case 1: return indent + "if (" + name(random, nouns) + " > " + std::to_string(random() % 100) + ") {";
    case 2: return indent + name(random, nouns) + " += " + name(random, verbs) + "(" + name(random, nouns) + ");";
    default: return indent + "// " + name(random, verbs) + " the " + name(random, nouns);
  }
}
}  // namespace

Texts source_text(std::mt19937& random, int lines) {
  Texts texts;
  texts.reserve(lines);
  for (int i = 0; i < lines; ++i) texts.push_back(random() % 5 == 0 ? repeated[random() % 10] : statement(random));
  return texts;
}

Texts changed_lines(const Texts& base, std::mt19937& random, double percent) {
  Texts texts = base;
  int changes = static_cast<int>(base.size() * percent / 100.0);
  for (int i = 0; i < changes; ++i) texts[random() % texts.size()] += " /* changed */";
  return texts;
}

Texts ordinary_edits(const Texts& base, std::mt19937& random, int edits) {
  Texts texts = base;
  for (int e = 0; e < edits && !texts.empty(); ++e) {
    size_t at = random() % texts.size();
    switch (random() % 3) {
      case 0: texts.erase(texts.begin() + at); break;
      case 1: texts.insert(texts.begin() + at, statement(random)); break;
      default: texts[at] = statement(random); break;
    }
  }
  return texts;
}

Texts moved_blocks(const Texts& base, std::mt19937& random, int blocks) {
  Texts texts = base;
  for (int b = 0; b < blocks && texts.size() > 400; ++b) {
    size_t length = 20 + random() % 181;
    size_t from = random() % (texts.size() - length);
    Texts block(texts.begin() + from, texts.begin() + from + length);
    texts.erase(texts.begin() + from, texts.begin() + from + length);
    size_t to = random() % texts.size();
    texts.insert(texts.begin() + to, block.begin(), block.end());
  }
  return texts;
}

Texts few_texts(std::mt19937& random, int lines, int distinct) {
  Texts texts;
  for (int i = 0; i < lines; ++i) texts.push_back("    text number " + std::to_string(random() % distinct) + ";");
  return texts;
}

Texts shuffled(const Texts& base, std::mt19937& random) {
  Texts texts = base;
  std::shuffle(texts.begin(), texts.end(), random);
  return texts;
}

Texts reversed(const Texts& base) { return Texts(base.rbegin(), base.rend()); }

Texts every_nth_changed(const Texts& base, int step) {
  Texts texts = base;
  for (size_t i = 0; i < texts.size(); i += step) texts[i] = "changed " + std::to_string(i) + ": " + texts[i];
  return texts;
}

void write_texts(const std::string& path, const Texts& texts) {
  std::ofstream out(path, std::ios::binary);
  for (const std::string& text : texts) out << text << '\n';
}

double now_seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double command_seconds(const std::string& command, int runs) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    double start = now_seconds();
    if (std::system(command.c_str()) == -1) return -1;
    best = std::min(best, now_seconds() - start);
  }
  return best;
}

std::string command_output(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  if (std::fgets(buffer, sizeof buffer, pipe)) output = buffer;
  pclose(pipe);
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return output;
}
