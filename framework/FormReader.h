#pragma once
// Form descriptions: the text that states a window's component tree, its property values and
// its event bindings, and the loader that builds the components from it.
//
//   object Form1: TForm1
//     Caption = 'Vorlinde'
//     Font.Height = -11
//     OnCreate = FormCreate
//     object Panel1: TPanel
//       Left = 1
//     end
//   end
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/PropValue.h"

namespace vl {

class TComponent;

struct TFormNode {
    std::string name, className;
    std::vector<std::pair<std::string, TPropValue>> props;  // in stream order
    std::vector<TFormNode> children;
    int line = 0;
    // Line of each entry of `props` (same index); entries missing here use `line`.
    std::vector<int> propLines;
};

// Limits that keep a malformed or hostile description from exhausting the stack or memory.
inline constexpr int kMaxFormNesting = 64;
inline constexpr size_t kMaxFormTextSize = 64u * 1024 * 1024;
inline constexpr size_t kMaxFormIdentLength = 1024;

// Parses one "object ... end" description; throws EReadError("Line N: ...") on malformed text.
TFormNode ParseFormText(std::string_view text);

// Loads `node` into the existing `root` (an instance of node.className or a descendant): sets
// the root's name and properties, creates the nested components (all owned by root) through
// the class registry, binds events to root's handlers, resolves references once the whole tree
// exists, then calls Loaded on root and on each created component in creation order.
void LoadFormNode(TComponent* root, const TFormNode& node);

// Reads the RCDATA resource `resourceName` of the executable into root.
void ReadFormResource(TComponent* root, const std::string& resourceName);

// Parses `text` and loads it into root.
void ReadFormText(TComponent* root, std::string_view text);

}  // namespace vl
