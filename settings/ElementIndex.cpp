#include "settings/ElementIndex.h"

#include <cstring>

namespace replika {

namespace {
bool IsNameStart(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_'; }
bool IsNameChar(char ch) { return IsNameStart(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == '.'; }

// A name test without a prefix matches only elements in no namespace.
HRESULT InNoNamespace(IXMLDOMNode* pNode, bool& bNone)
{
    CBstr uri;
    HRESULT hr = pNode->get_namespaceURI(&uri);
    bNone = SUCCEEDED(hr) && uri.Length() == 0;
    return hr;
}

// Calls visit(name, element) for each child element of pParent in no namespace, in order.
template <typename Visit>
HRESULT ForEachChildElement(IXMLDOMNode* pParent, Visit visit)
{
    CComPtr<IXMLDOMNode> child;
    HRESULT hr = pParent->get_firstChild(&child);
    while (SUCCEEDED(hr) && child) {
        DOMNodeType type = NODE_INVALID;
        hr = child->get_nodeType(&type);
        CBstr name;
        bool bNoNamespace = false;
        if (SUCCEEDED(hr) && type == NODE_ELEMENT)
            hr = child->get_nodeName(&name);
        if (SUCCEEDED(hr) && type == NODE_ELEMENT)
            hr = InNoNamespace(child.Get(), bNoNamespace);
        if (SUCCEEDED(hr) && bNoNamespace && name.Valid())
            visit(std::wstring(name, name.Length()), child);
        CComPtr<IXMLDOMNode> next;
        if (SUCCEEDED(hr))
            hr = child->get_nextSibling(&next);
        child = next;
    }
    return SUCCEEDED(hr) ? S_OK : hr;
}

std::wstring Widened(const char* psz, size_t nLen) { return std::wstring(psz, psz + nLen); }
}  // namespace

void CElementIndex::Clear()
{
    m_children.clear();
    m_bBuilt = false;
}

bool CElementIndex::Answers(const char* pszPath)
{
    if (!pszPath || !IsNameStart(pszPath[0]))
        return false;
    for (const char* p = pszPath; *p; ++p)
        if (*p == '/' ? !IsNameStart(p[1]) : !IsNameChar(*p))
            return false;
    return true;
}

HRESULT CElementIndex::Build(IXMLDOMElement* pRoot)
{
    m_children.clear();
    HRESULT hr = ForEachChildElement(
        pRoot, [&](const std::wstring& name, const CComPtr<IXMLDOMNode>& node) { m_children[name].push_back(node); });
    m_bBuilt = SUCCEEDED(hr);
    return hr;
}

HRESULT CElementIndex::Find(IXMLDOMElement* pRoot, const char* pszPath, NodeSet& found)
{
    found.clear();
    HRESULT hr = m_bBuilt ? S_OK : Build(pRoot);
    size_t nStep = strcspn(pszPath, "/");
    auto first = m_children.find(Widened(pszPath, nStep));
    if (FAILED(hr) || first == m_children.end())
        return hr;
    found = first->second;
    for (const char* pszRest = pszPath + nStep; *pszRest == '/' && SUCCEEDED(hr) && !found.empty();
         pszRest += nStep + 1) {
        nStep = strcspn(pszRest + 1, "/");
        const std::wstring name = Widened(pszRest + 1, nStep);
        NodeSet next;
        for (size_t i = 0; i < found.size() && SUCCEEDED(hr); ++i)
            hr = ForEachChildElement(found[i].Get(), [&](const std::wstring& childName, const CComPtr<IXMLDOMNode>& node) {
                if (childName == name)
                    next.push_back(node);
            });
        found.swap(next);
    }
    if (FAILED(hr))
        found.clear();
    return hr;
}

}  // namespace replika
