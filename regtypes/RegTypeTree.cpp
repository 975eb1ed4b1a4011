#include "regtypes/RegTypeTree.h"

#include "system/Text.h"

#include <algorithm>
#include <stdexcept>

namespace k2k {

namespace {

// Less by text without regard to case.
bool TextLess(std::string_view a, std::string_view b) noexcept {
    const std::uint8_t* upper = UpperTable();
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = upper[static_cast<unsigned char>(a[i])];
        const auto cb = upper[static_cast<unsigned char>(b[i])];
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

constexpr std::size_t kKindLength = 3; // "SYS" or "USR"

} // namespace

NodeId RegTypeTree::Add(std::string key, std::string text, std::string image, NodeId parent) {
    if (parent != kNoNode && !Contains(parent))
        throw std::invalid_argument("no such parent node");
    const NodeId id = static_cast<NodeId>(m_nodes.size());
    const bool added = m_byKey.emplace(UpperCase(key), id).second;
    if (!added)
        throw std::invalid_argument("a node with this key exists");
    m_nodes.push_back({std::move(key), std::move(text), std::move(image), parent, {}});
    m_live.push_back(true);
    m_order.push_back(id);
    PlaceAmongSiblings(id);
    return id;
}

void RegTypeTree::SetText(NodeId node, std::string text) {
    if (!Contains(node))
        return;
    std::vector<NodeId>& siblings = SiblingsOf(node);
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    m_nodes[static_cast<std::size_t>(node)].text = std::move(text);
    PlaceAmongSiblings(node);
}

void RegTypeTree::Remove(NodeId node) {
    if (!Contains(node))
        return;
    std::vector<NodeId>& siblings = SiblingsOf(node);
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    Forget(node);
    std::erase_if(m_order, [this](NodeId id) { return !m_live[static_cast<std::size_t>(id)]; });
}

void RegTypeTree::Forget(NodeId node) {
    // Iteratively, so that a deep tree cannot exhaust the stack.
    std::vector<NodeId> pending{node};
    while (!pending.empty()) {
        const NodeId id = pending.back();
        pending.pop_back();
        RegTypeNode& gone = m_nodes[static_cast<std::size_t>(id)];
        m_byKey.erase(UpperCase(gone.key));
        m_live[static_cast<std::size_t>(id)] = false;
        pending.insert(pending.end(), gone.children.begin(), gone.children.end());
        gone = RegTypeNode{};
    }
}

void RegTypeTree::Clear() {
    m_nodes.clear();
    m_live.clear();
    m_roots.clear();
    m_order.clear();
    m_byKey.clear();
}

NodeId RegTypeTree::Find(std::string_view key) const {
    const auto found = m_byKey.find(UpperCase(key));
    return found == m_byKey.end() ? kNoNode : found->second;
}

bool RegTypeTree::Contains(NodeId node) const noexcept {
    return node >= 0 && static_cast<std::size_t>(node) < m_live.size() &&
           m_live[static_cast<std::size_t>(node)];
}

const std::vector<NodeId>& RegTypeTree::Children(NodeId parent) const {
    return parent == kNoNode ? m_roots : Node(parent).children;
}

int RegTypeTree::SiblingIndex(NodeId node) const {
    const std::vector<NodeId>& siblings = Children(Node(node).parent);
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), node) - siblings.begin());
}

std::string RegTypeTree::FullPath(NodeId node) const {
    std::vector<NodeId> line;
    for (NodeId id = node; id != kNoNode; id = Node(id).parent)
        line.push_back(id);
    std::string path;
    for (auto it = line.rbegin(); it != line.rend(); ++it) {
        if (!path.empty())
            path += ',';
        path += Node(*it).text;
    }
    return path;
}

std::string_view RegTypeTree::PathOfKey(std::string_view key) noexcept {
    return key.size() > kKindLength ? key.substr(kKindLength) : std::string_view();
}

bool RegTypeTree::IsUserKey(std::string_view key) noexcept {
    return EqualsNoCase(key.substr(0, kKindLength), "USR");
}

std::vector<NodeId>& RegTypeTree::SiblingsOf(NodeId node) {
    const NodeId parent = Node(node).parent;
    return parent == kNoNode ? m_roots : m_nodes[static_cast<std::size_t>(parent)].children;
}

void RegTypeTree::PlaceAmongSiblings(NodeId node) {
    std::vector<NodeId>& siblings = SiblingsOf(node);
    const std::string& text = Node(node).text;
    const auto at = std::upper_bound(siblings.begin(), siblings.end(), text,
                                     [this](const std::string& value, NodeId other) {
                                         return TextLess(value, Node(other).text);
                                     });
    siblings.insert(at, node);
}

} // namespace k2k
