Object
{
	mName : Console
	Transform
	{
		transformData : 		TransformData
		{
			WorldPosition : 			MetaVec3
			{
				x_ : 0
				y_ : 0.75
				z_ : 0
			}
			WorldScalar : 			MetaVec3
			{
				x_ : 6
				y_ : 1.5
				z_ : 1
			}
		}
	}
	Renderable
	{
		m_BlendFactors : 		MetaVec4
		{
			w_ : 1
			x_ : 0.75
			y_ : 0.75
			z_ : 0.75
		}
		m_Color : 		MetaVec4
		{
			w_ : 1
			x_ : 0.2
			y_ : 0.8
			z_ : 0.8
		}
		m_ModelName : console
		m_ShaderName : textureshader
		m_TextureName : console_idle 
		m_Transparent : 0
		m_Visible : 1
	}
	TimedTextureChangeBehavior
	{
		mCurrentTexture : console_idle
		mTextureToChangeTo : console_alarm
		mTimeChanged : 0
		mTimeToChangeFor : 60
	}
}

