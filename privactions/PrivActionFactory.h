#pragma once

#include <memory>

class IppActionProvider;
class PolKitActionProvider;
class PrivActionFactoryHelper;
class PrivActionProvider;

// Chooses, at every request, the provider the user configured; keeps one
// provider of each kind for the life of the process.
class PrivActionFactory
{
public:
    static PrivActionFactory* instance();

    PrivActionProvider* provider();

    ~PrivActionFactory();
    PrivActionFactory(const PrivActionFactory&) = delete;
    PrivActionFactory& operator=(const PrivActionFactory&) = delete;

private:
    PrivActionFactory();

    static PrivActionFactory* instance_;

    std::unique_ptr<IppActionProvider> m_ippProvider;
    std::unique_ptr<PolKitActionProvider> m_polkitProvider;
    std::unique_ptr<PrivActionFactoryHelper> m_helper;
};
