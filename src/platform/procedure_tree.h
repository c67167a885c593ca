// The procedure tree 程序集 as the procedure list fills it: one root item with
// the document's name (image 1) and the procedures under it (image 0), expanded.
#pragma once

#include <string>
#include <vector>

namespace quillet {

class ProcedureTree {
 public:
  virtual ~ProcedureTree() = default;
  // Replaces every item: the root, then one child per name in order.
  virtual void Show(const std::string& rootName, const std::vector<std::string>& names) = 0;
};

}  // namespace quillet
