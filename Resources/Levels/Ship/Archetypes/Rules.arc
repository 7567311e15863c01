Object
{
	mName : Rules
	LevelRuleset
	{
		mDeathsAllowedPerPlayer : 1
		mKillsNeededToWin : 0
		mPlayerMovementDecay : 0
		mTimeActive : 0
		mTimeLimit : 300
	}
}

