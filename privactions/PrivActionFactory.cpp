#include "PrivActionFactory.h"

#include "IppActionProvider.h"
#include "PolKitActionProvider.h"
#include "PrivActionFactoryHelper.h"

PrivActionFactory* PrivActionFactory::instance_ = nullptr;

PrivActionFactory::PrivActionFactory()
    : m_helper(std::make_unique<PrivActionFactoryHelper>())
{
}

PrivActionFactory::~PrivActionFactory() = default;

PrivActionFactory* PrivActionFactory::instance()
{
    if (!instance_) {
        static std::unique_ptr<PrivActionFactory> owner(new PrivActionFactory);
        instance_ = owner.get();
    }
    return instance_;
}

PrivActionProvider* PrivActionFactory::provider()
{
    if (m_helper->detectActionProviderType() == QLatin1String("PolicyKit")) {
        if (!m_polkitProvider)
            m_polkitProvider = std::make_unique<PolKitActionProvider>();
        return m_polkitProvider.get();
    }
    if (!m_ippProvider)
        m_ippProvider = std::make_unique<IppActionProvider>();
    return m_ippProvider.get();
}
