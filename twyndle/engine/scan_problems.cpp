#include "twyndle/engine/scan_problems.h"

#include <cstring>

#include "twyndle/engine/engine_memory.h"

namespace {
ScanProblem* first_problem(const DirTree* tree) {
  return tree ? static_cast<ScanProblem*>(list_first(tree->problems)) : nullptr;
}

ScanProblem* next_problem(const ScanProblem* problem) { return static_cast<ScanProblem*>(list_next(problem)); }

bool starts_with(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

std::string problem_line(const ScanProblem& problem) {
  switch (problem.kind) {
    case problem_unreadable: return std::string("Could not read the directory ") + problem.path;
    case problem_unreadable_file: return std::string("Could not read the file ") + problem.path;
    case problem_not_regular: return std::string("Not a file or a directory, skipped: ") + problem.path;
    case problem_loop: return std::string("A link back to a directory above it, not followed: ") + problem.path;
  }
  return problem.path;
}
}  // namespace

void tree_note_problem(DirTree* tree, ScanProblemKind kind, const std::string& relative, const std::string& path) {
  if (!tree) return;
  if (!tree->problems) tree->problems = list_new();
  auto* problem = static_cast<ScanProblem*>(list_append(tree->problems, sizeof(ScanProblem)));
  if (!problem) return;
  *problem = ScanProblem{kind, text_new(relative.c_str()), text_new(path.c_str())};
}

BlockList* tree_problems(const DirTree* tree) { return tree ? tree->problems : nullptr; }

void tree_release_problems(DirTree* tree) {
  if (!tree) return;
  for (ScanProblem* problem = first_problem(tree); problem; problem = next_problem(problem)) {
    text_free(problem->relative);
    text_free(problem->path);
  }
  list_destroy(&tree->problems);
}

bool tree_has_unread(const DirTree* tree) {
  for (ScanProblem* problem = first_problem(tree); problem; problem = next_problem(problem)) {
    if (problem->kind == problem_unreadable || problem->kind == problem_unreadable_file) return true;
  }
  return false;
}

bool tree_unread_covers(const DirTree* tree, const char* relative) {
  if (!relative) return false;
  for (ScanProblem* problem = first_problem(tree); problem; problem = next_problem(problem)) {
    if (problem->kind == problem_unreadable && problem->relative && starts_with(relative, problem->relative)) {
      return true;
    }
  }
  return false;
}

std::string scan_report(const DirTree* left, const DirTree* right, int shown) {
  std::string lines;
  int count = 0;
  for (const DirTree* tree : {left, right}) {
    for (ScanProblem* problem = first_problem(tree); problem; problem = next_problem(problem)) {
      if (++count <= shown) lines += "\n" + problem_line(*problem);
    }
  }
  if (count == 0) return std::string();
  if (count > shown) lines += "\nand " + std::to_string(count - shown) + " more";
  return "Some files were not compared:" + lines;
}
