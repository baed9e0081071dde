#include "framework/DLiveRegistry.h"
#include "framework/WindowGeometry.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(OuterSize, OnlyCaptionedWindowsGrowByTheirFrame)
{
    DFrameMetrics m;
    m.frameWidth = 3;
    m.frameHeight = 4;
    m.captionHeight = 19;
    DSize child = outerSize(DWindowKind::child, m, 400, 450);
    DSize frameless = outerSize(DWindowKind::frameless, m, 400, 450);
    DSize captioned = outerSize(DWindowKind::captioned, m, 400, 450);
    EXPECT_EQ(child.width, 400);
    EXPECT_EQ(child.height, 450);
    EXPECT_EQ(frameless.width, 400);
    EXPECT_EQ(frameless.height, 450);
    EXPECT_EQ(captioned.width, 406);
    EXPECT_EQ(captioned.height, 450 + 8 + 19);
}

TEST(Centering, HalvesAreTruncatedTowardZero)
{
    DPoint p = centeredPosition(1024, 768, 400, 450);
    EXPECT_EQ(p.x, 312);
    EXPECT_EQ(p.y, 159);
    p = centeredPosition(5, 5, 2, 2);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 1);
    p = centeredPosition(100, 100, 201, 203);  // larger than the area
    EXPECT_EQ(p.x, -50);
    EXPECT_EQ(p.y, -51);
}

TEST(HitTest, BothFarEdgesCountAsInside)
{
    EXPECT_TRUE(containsPoint(10, 20, 80, 25, 90, 45));  // right and bottom edge lines
    EXPECT_TRUE(containsPoint(10, 20, 80, 25, 10, 20));
    EXPECT_FALSE(containsPoint(10, 20, 80, 25, 91, 30));
    EXPECT_FALSE(containsPoint(10, 20, 80, 25, 50, 46));
    EXPECT_FALSE(containsPoint(10, 20, 80, 25, 9, 30));
    EXPECT_FALSE(containsPoint(10, 20, 80, 25, 50, 19));
}

TEST(HitTest, HugeBoundsDoNotOverflow)
{
    EXPECT_TRUE(containsPoint(0x7FFFFFF0, 0, 0x7FFFFFFF, 10, 0x7FFFFFFF, 5));
    EXPECT_FALSE(containsPoint(0x7FFFFFF0, 0, 100, 10, 5, 5));
}

TEST(LiveRegistry, KnowsWhatIsAliveAndItsHandle)
{
    DLiveRegistry registry;
    int a = 0, b = 0, target = 0;
    registry.add(&a);
    EXPECT_TRUE(registry.contains(&a));
    EXPECT_FALSE(registry.contains(&b));
    EXPECT_EQ(registry.handleOf(&a), nullptr);
    registry.setHandle(&a, &target);
    registry.setHandle(&b, &target);  // not registered: ignored
    EXPECT_EQ(registry.handleOf(&a), &target);
    EXPECT_EQ(registry.handleOf(&b), nullptr);
    EXPECT_FALSE(registry.contains(&b));
    registry.remove(&a);
    EXPECT_FALSE(registry.contains(&a));
    EXPECT_EQ(registry.handleOf(&a), nullptr);
}

TEST(LiveRegistry, StaysConsistentUnderConcurrentUse)
{
    DLiveRegistry registry;
    std::vector<int> objects(400);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++) {
        threads.emplace_back([&registry, &objects, t] {
            for (int i = t * 100; i < (t + 1) * 100; i++) {
                registry.add(&objects[i], &objects[i]);
                if (i % 2)
                    registry.remove(&objects[i]);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(registry.count(), 200);
    EXPECT_EQ(registry.handleOf(&objects[10]), &objects[10]);
    EXPECT_FALSE(registry.contains(&objects[11]));
}
