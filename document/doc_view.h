#pragma once

#include "document/update_hint.h"

// A view of the document: it is told of every update broadcast that another view sent.
class CDocView {
public:
    virtual ~CDocView() = default;
    virtual void onDocumentUpdate(CDocView* sender, UpdateHint hint) = 0;
};
