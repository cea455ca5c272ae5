// Ownership in the class library's manner: an owner frees the components it owns, the last one made first.
#pragma once

#include <vector>

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return Owner_; }

protected:
    // Frees every owned component now; a derived destructor calls it when they must go before its members.
    void DestroyComponents();

private:
    TComponent* Owner_;
    std::vector<TComponent*> Owned_;
};
