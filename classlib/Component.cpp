#include "classlib/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : Owner_(owner)
{
    if (Owner_)
        Owner_->Owned_.push_back(this);
}

TComponent::~TComponent()
{
    DestroyComponents();
    if (Owner_) {
        auto& list = Owner_->Owned_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TComponent::DestroyComponents()
{
    // Each owned component removes itself from the list as it goes.
    while (!Owned_.empty())
        delete Owned_.back();
}
