// The root's child elements by name, gathered once per document. A settings
// document is read and written element by element; finding each by name here
// costs far less than an XPath query per element.
#pragma once

#include "framework/afxcore.h"  // before afxcom.h, which needs AFXAPI
#include "framework/afxcom.h"

#include <windows.h>
#include <msxml2.h>

#include <map>
#include <string>
#include <vector>

namespace replika {

typedef std::vector<CComPtr<IXMLDOMNode>> NodeSet;

class CElementIndex
{
public:
    CElementIndex() : m_bBuilt(false) {}
    // Forgets the document: the next Find gathers the children again.
    void Clear();
    // Whether Find answers the path as XPath would: names without a prefix joined by "/".
    static bool Answers(const char* pszPath);
    // The elements at the path below pRoot, in document order.
    HRESULT Find(IXMLDOMElement* pRoot, const char* pszPath, NodeSet& found);

private:
    HRESULT Build(IXMLDOMElement* pRoot);

    std::map<std::wstring, NodeSet> m_children;
    bool m_bBuilt;
};

}  // namespace replika
