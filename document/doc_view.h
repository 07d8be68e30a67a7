#pragma once

// A view of the document: it is told of every update broadcast that another view sent.
class CDocView {
public:
    virtual ~CDocView() = default;
    virtual void onDocumentUpdate(CDocView* sender, int hint) = 0;
};
