// What a view implements to hear of the document's changes.
#pragma once

class IDocObserver
{
public:
    virtual ~IDocObserver() = default;
    virtual void OnUpdate(int hint) = 0; // hint: one of UpdateHint
};
