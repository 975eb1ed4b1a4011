#pragma once
// One registered-types tree as a dialog shows it: nodes with a key, a text and an image
// key, each under its parent or at the top level, the children of every node kept sorted
// by text. The nodes also form a collection in the order they were added, which the find
// commands walk; a removed node leaves the collection and the later ones move up.
//
// A node is known by a number that stays the same while it lives (NodeId); the window
// that shows the tree keeps one item per number. Keys are unique and found without regard
// to letter case, as the tree control finds them.
//
// Children sort as the tree control sorts them: by text without regard to case (through
// the one upper-case table), equal texts in the order they came.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace k2k {

using NodeId = int;
inline constexpr NodeId kNoNode = -1;

struct RegTypeNode {
    std::string key;   // "SYS" or "USR", then the entry's path
    std::string text;  // the entry's text
    std::string image; // the image key of its icon
    NodeId parent = kNoNode;
    std::vector<NodeId> children; // sorted by text
};

class RegTypeTree final {
public:
    RegTypeTree() = default;

    // Adds a node under parent (kNoNode: at the top level) at its sorted place. The key
    // must not be in the tree yet, and parent must be a live node or kNoNode.
    NodeId Add(std::string key, std::string text, std::string image, NodeId parent);
    // A new text, and the node's new place among its siblings.
    void SetText(NodeId node, std::string text);
    // Removes the node and everything under it.
    void Remove(NodeId node);
    void Clear();

    // The live node with this key, without regard to case; kNoNode when there is none.
    NodeId Find(std::string_view key) const;
    bool Contains(NodeId node) const noexcept;
    const RegTypeNode& Node(NodeId node) const {
        return m_nodes.at(static_cast<std::size_t>(node));
    }

    // The top-level nodes, sorted.
    const std::vector<NodeId>& Roots() const noexcept { return m_roots; }
    const std::vector<NodeId>& Children(NodeId parent) const;
    // The node's place among its sorted siblings.
    int SiblingIndex(NodeId node) const;

    // The collection: the live nodes in the order they were added, 1 to Count().
    int Count() const noexcept { return static_cast<int>(m_order.size()); }
    NodeId At(int index) const { return m_order.at(static_cast<std::size_t>(index - 1)); }

    // The texts of the node and its ancestors, from the top level down, joined with ",".
    std::string FullPath(NodeId node) const;

    // The path part of a key ("SYS1,2" gives "1,2") and whether the key is a user node's.
    static std::string_view PathOfKey(std::string_view key) noexcept;
    static bool IsUserKey(std::string_view key) noexcept;

private:
    std::vector<NodeId>& SiblingsOf(NodeId node);
    void PlaceAmongSiblings(NodeId node);
    void Forget(NodeId node); // removes the node and its subtree from the key index

    std::vector<RegTypeNode> m_nodes; // by NodeId; removed nodes stay as empty slots
    std::vector<bool> m_live;
    std::vector<NodeId> m_roots;
    std::vector<NodeId> m_order;
    std::unordered_map<std::string, NodeId> m_byKey; // upper-cased key
};

} // namespace k2k
